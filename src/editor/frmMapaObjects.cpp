// The surface's press, move and release, placing, dragging and removing
// objects, and the drag bookkeeping shared with texts and markers.
#include "editor/EditorPictures.h"
#include "editor/EditorPopupMenus.h"
#include "editor/MapView.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

// Drag positions are held in 16-bit twips.
int16_t toInt16(double v)
{
    return int16_t(std::clamp(std::lround(v), long(INT16_MIN), long(INT16_MAX)));
}

} // namespace

void frmMapa::startDrag(double x, double y, const QPointF &topLeft)
{
    m_drag.grabX = toInt16(x);
    m_drag.grabY = toInt16(y);
    m_drag.startLeft = toInt16(topLeft.x());
    m_drag.startTop = toInt16(topLeft.y());
    m_drag.newLeft = m_drag.startLeft;
    m_drag.newTop = m_drag.startTop;
    m_drag.Dragging = true;
}

void frmMapa::dragTo(double x, double y, QGraphicsRectItem *frame)
{
    m_drag.newLeft = toInt16(m_drag.startLeft - (m_drag.grabX - x));
    m_drag.newTop = toInt16(m_drag.startTop - (m_drag.grabY - y));
    frame->setPos(m_drag.newLeft, m_drag.newTop);
    frame->show();
}

void frmMapa::surfacePress(Qt::MouseButton, double x, double y)
{
    m_surface->tlinha()->hide();
    // Held here: the tool may disarm itself or be replaced while it acts.
    const std::shared_ptr<EditorTool> tool = m_ws.tools.current();
    if (!tool)
        return;
    const int16_t pathWindow = tool->wayPointWindow();
    if (pathWindow != 0 && pathWindow != iMI)
        return; // the way-point tool extends a path in another window
    // A way point or a text is spent by its press (before its dialog); an
    // object and a window move by the release.
    if (pathWindow != 0 || tool->insertsText())
        m_ws.tools.disarm();
    tool->press(*this, x, y);
}

void frmMapa::placeObject(int16_t paletteIndex, double x, double y)
{
    if (palettePicture(paletteIndex).isNull())
        return; // no palette icon of that number: nothing to place
    if (refuseWhenFull(strat().Objects.count() == INT16_MAX))
        return;
    const float left = float(std::lround(x) - kObjectAnchor);
    const float top = float(std::lround(y) - kObjectAnchor);
    m_lastPlacedObject = m_document.placeObject(paletteIndex, left, top);
}

void frmMapa::surfaceMove(Qt::MouseButtons buttons, double x, double y)
{
    if (const std::shared_ptr<EditorTool> tool = m_ws.tools.current())
        tool->move(*this, buttons, x, y);
    else
        unsetSurfaceCursor();
}

void frmMapa::surfaceRelease(Qt::MouseButton, bool shift, double, double)
{
    if (!shift) {
        unsetSurfaceCursor();
        if (m_ws.setSelectedPreview)
            m_ws.setSelectedPreview(QPixmap());
    }
    // Every tool acts once; the way-point tool ends with its own press.
    const std::shared_ptr<EditorTool> &tool = m_ws.tools.current();
    if (tool && tool->wayPointWindow() == 0)
        m_ws.tools.disarm();
    m_surface->tlinha()->hide();
    m_surface->shpT()->hide();
    m_surface->shpM()->hide();
    m_drag.Dragging = false;
}

void frmMapa::objectPress(int16_t i, Qt::MouseButton button, double x, double y)
{
    if (m_playback.isPaused() && i != m_lastPlacedObject)
        return;
    EditorTools &tools = m_ws.tools;
    if (button == Qt::RightButton) {
        tools.SelectionKind = 1;
        tools.SelectionWindow = iMI;
        tools.SelectionItem = i;
        tools.SelectionPoint = 0;
        if (m_ws.popupMenus)
            m_ws.popupMenus->popupObjectMenu(false, m_lastGlobalPos);
        return;
    }
    if (tools.PlacingMode() || tools.TextMode())
        return;
    if (ObjectItem *item = m_surface->imgObj(i))
        startDrag(x, y, item->pos());
}

void frmMapa::objectMove(int16_t, Qt::MouseButtons, double x, double y)
{
    if (!m_drag.Dragging)
        return;
    m_surface->shpT()->setRect(0, 0, 150, 210);
    dragTo(x, y, m_surface->shpT());
}

void frmMapa::objectRelease(int16_t i, Qt::MouseButton)
{
    // One drag is one undo step; the path's first segment follows the
    // object, its way points stay.
    if (m_drag.Dragging)
        m_document.moveObject(i, m_drag.newLeft, m_drag.newTop);
    m_drag.Dragging = false;
    m_surface->shpT()->hide();
}

void frmMapa::ApagaObjeto(int16_t Index)
{
    m_document.removeObject(Index);
}

} // namespace vantrel
