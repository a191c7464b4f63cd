#include "editor/DrawingTools.h"

#include "editor/DrawingPictures.h"
#include "editor/DrawingShapes.h"
#include "editor/MapView.h"
#include "editor/StratSurface.h"
#include "editor/frmMapa.h"

#include <cmath>

namespace vantrel {

namespace {

QPoint twipsOf(const MapEvent &event)
{
    return QPoint(int(std::lround(event.pos.x())), int(std::lround(event.pos.y())));
}

// A pixel of the window's view, in twips.
double pixelTwips(const frmMapa &window)
{
    const double scale = window.view() ? window.view()->transform().m11() : 0;
    return scale > 0 ? 1.0 / scale : double(kTwipsPerPixel);
}

// Three pixels: how far off a line a click may land and still take it.
double slack(const frmMapa &window)
{
    return 3 * pixelTwips(window);
}

} // namespace

void StickyTool::activate()
{
    if (armedChanged)
        armedChanged(true);
}

void StickyTool::deactivate()
{
    if (armedChanged)
        armedChanged(false);
}

void DrawingTool::deactivate()
{
    drop();
    StickyTool::deactivate();
}

void DrawingTool::drop()
{
    if (m_window)
        m_window->surface().draft()->clear();
    m_window.clear();
}

bool DrawingTool::press(frmMapa &window, const MapEvent &event)
{
    if (m_window)
        return true; // one stroke at a time
    if (event.button != Qt::LeftButton)
        return false;
    Drawing d;
    d.kind = m_kind;
    d.color = m_style.color & 0xFFFFFF;
    d.width = m_style.width;
    d.filled = m_style.filled && (m_kind == DrawingKind::Rect || m_kind == DrawingKind::Ellipse);
    const QPoint at = twipsOf(event);
    d.points = m_kind == DrawingKind::Pen ? std::vector<QPoint>{at} : std::vector<QPoint>{at, at};
    m_window = &window;
    window.view()->viewport()->setCursor(DrawingPictures::drawingCursor());
    window.surface().draft()->show(d);
    return true;
}

bool DrawingTool::move(frmMapa &window, const MapEvent &event)
{
    if (m_window != &window) {
        window.view()->viewport()->setCursor(DrawingPictures::drawingCursor());
        return true;
    }
    DraftItem *draft = window.surface().draft();
    if (!draft->drawing())
        return true;
    const QPoint at = twipsOf(event);
    if (m_kind == DrawingKind::Pen) {
        if (draft->drawing()->points.back() != at)
            draft->extend(at);
    } else {
        Drawing d = *draft->drawing();
        d.points.back() = at;
        draft->show(d);
    }
    return true;
}

bool DrawingTool::release(frmMapa &window, const MapEvent &event)
{
    if (m_window != &window || event.button != Qt::LeftButton)
        return m_window != nullptr;
    const std::optional<Drawing> &draft = window.surface().draft()->drawing();
    std::optional<Drawing> done = draft;
    drop();
    if (!done)
        return true;
    if (m_kind == DrawingKind::Pen)
        done->points = DrawingShapes::simplified(done->points, pixelTwips(window));
    else if (done->points.front() == done->points.back())
        return true; // a click draws no line or shape
    window.document().addDrawing(*done);
    return true;
}

bool EraserTool::press(frmMapa &window, const MapEvent &event)
{
    if (event.button != Qt::LeftButton)
        return false;
    eraseAt(window, event.pos);
    return true;
}

bool EraserTool::move(frmMapa &window, const MapEvent &event)
{
    window.view()->viewport()->setCursor(DrawingPictures::eraserCursor());
    if (event.buttons & Qt::LeftButton)
        eraseAt(window, event.pos);
    return true;
}

bool EraserTool::release(frmMapa &, const MapEvent &event)
{
    return event.button == Qt::LeftButton;
}

void EraserTool::eraseAt(frmMapa &window, const QPointF &at)
{
    const int hit = window.surface().drawingLayer()->drawingAt(at, slack(window));
    if (hit >= 0)
        window.document().removeDrawing(hit);
}

} // namespace vantrel
