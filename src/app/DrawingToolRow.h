#pragma once

#include "strat/Drawing.h"

#include <QWidget>

#include <array>

namespace vantrel {

class ClickLabel;
class Workspace;

// The drawing tools beside "Text": pen, line, arrow, rectangle, ellipse and
// the eraser, then the colour, the three widths and the filled toggle the
// next drawing takes. A tool stays armed, shown pressed, until Esc, another
// tool or a second click on it.
class DrawingToolRow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTools = 6; // the five kinds, then the eraser
    static constexpr int kEraser = 5;

    DrawingToolRow(Workspace &workspace, QWidget *parent);

    // The buttons, clickable by tests as by a user.
    ClickLabel *toolButton(int n) const { return m_tools[size_t(n)]; }
    ClickLabel *colorButton() const { return m_color; }
    ClickLabel *widthButton(int n) const { return m_widths[size_t(n)]; }
    ClickLabel *filledButton() const { return m_filled; }

    // The tips in the language pack's words (loaded after the row was made).
    void retranslate();

    void toolClicked(int n);
    void colorClicked();
    void widthClicked(int n);
    void filledClicked();

private:
    QString text(const char *id, const char *english) const;
    void showArmed(int n); // -1: none
    void showStyle();

    Workspace &m_ws;
    std::array<ClickLabel *, kTools> m_tools{};
    std::array<ClickLabel *, 3> m_widths{};
    ClickLabel *m_color = nullptr;
    ClickLabel *m_filled = nullptr;
    int m_armed = -1;
};

} // namespace vantrel
