#pragma once

#include "editor/EditorTool.h"
#include "strat/Drawing.h"

#include <QPointer>

#include <functional>

namespace vantrel {

// What the next drawing gets: the tool row's colour, width and filled toggle.
struct DrawingStyle
{
    uint32_t color = 0xFF0000; // 0xRRGGBB
    int32_t width = kMediumWidth;
    bool filled = false; // rectangles and ellipses
};

// The drawing tools stay armed until Esc or another tool: a plan takes many
// strokes. The tool row follows whether one is armed.
class StickyTool : public EditorTool
{
public:
    void activate() override;
    void deactivate() override;
    std::function<void(bool armed)> armedChanged;
};

// Pen, line, arrow, rectangle or ellipse: a left drag on the map (over any
// item too) draws one, shown as it grows; the release stores it as one edit.
// A pen stroke is simplified first, keeping its shape within a pixel. A right
// press still opens the menu of what is under it.
class DrawingTool : public StickyTool
{
public:
    DrawingTool(DrawingKind kind, const DrawingStyle &style)
        : m_kind(kind)
        , m_style(style)
    {
    }
    DrawingKind kind() const { return m_kind; }
    void deactivate() override;
    bool press(frmMapa &window, const MapEvent &event) override;
    bool move(frmMapa &window, const MapEvent &event) override;
    bool release(frmMapa &window, const MapEvent &event) override;

private:
    void drop();

    DrawingKind m_kind;
    const DrawingStyle &m_style;
    QPointer<frmMapa> m_window; // where a stroke is going on
};

// The eraser: removes the whole drawing under a left press, and every one a
// held button passes over, each as one edit.
class EraserTool : public StickyTool
{
public:
    bool press(frmMapa &window, const MapEvent &event) override;
    bool move(frmMapa &window, const MapEvent &event) override;
    bool release(frmMapa &window, const MapEvent &event) override;

private:
    static void eraseAt(frmMapa &window, const QPointF &at);
};

} // namespace vantrel
