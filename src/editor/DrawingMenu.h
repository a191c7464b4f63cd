#pragma once

#include <QDialog>
#include <QMenu>

class QSpinBox;

namespace vantrel {

class StratDocument;
class Workspace;

// The right-click menu of one drawing. Each command is one edit of it:
// "Color...", a width, "Filled" (rectangles and ellipses), "Show from
// Frame..." and "Remove Drawing".
class DrawingMenu : public QMenu
{
    Q_OBJECT

public:
    DrawingMenu(Workspace &workspace, StratDocument &document, int index, QWidget *parent);

    QAction *colorAction() const { return m_color; }
    // Thin, medium and thick.
    QAction *widthAction(int n) const { return m_widths[n]; }
    QAction *filledAction() const { return m_filled; }
    QAction *cueAction() const { return m_cue; }
    QAction *removeAction() const { return m_remove; }

private:
    QString text(const char *id, const char *english) const;
    // Drawing m_index with `change` applied, stored as one edit.
    template<typename Change> void change(Change &&apply);
    void askColor();
    void askCue();

    Workspace &m_ws;
    StratDocument &m_document;
    int m_index;
    QAction *m_color;
    QAction *m_widths[3];
    QAction *m_filled;
    QAction *m_cue;
    QAction *m_remove;
};

// "Show from Frame...": the first and the last frame a drawing shows while
// the strat plays, 0 for always.
class DrawingCueDialog : public QDialog
{
    Q_OBJECT

public:
    DrawingCueDialog(const Workspace &workspace, int32_t fromFrame, int32_t toFrame,
                     QWidget *parent);
    QSpinBox *fromBox() const { return m_from; }
    QSpinBox *toBox() const { return m_to; }
    // A last frame before the first is taken as the range the other way round.
    int32_t fromFrame() const;
    int32_t toFrame() const;

private:
    QSpinBox *m_from;
    QSpinBox *m_to;
};

} // namespace vantrel
