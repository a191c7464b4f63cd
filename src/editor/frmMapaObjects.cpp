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
    EditorTools &tools = m_ws.tools;
    m_surface->tlinha()->hide();
    if (bMovimento) {
        addWayPoint(x, y);
        return;
    }
    if (tools.MoveWindowMode)
        m_moveStart = QPoint(int(std::lround(x)), int(std::lround(y)));
    if (tools.PlacingMode && tools.TextMode) {
        insertText(x, y);
        tools.PlacingMode = false;
        tools.TextMode = false;
        return;
    }
    if (tools.PlacingMode)
        placeObject(x, y);
}

void frmMapa::placeObject(double x, double y)
{
    const int16_t index = m_ws.tools.PaletteIndex;
    const QPixmap picture = palettepicture(index);
    if (picture.isNull())
        return; // no palette icon of that number: nothing to place
    if (refuseWhenFull(m_strat.Objects.count() == INT16_MAX))
        return;
    const float left = float(std::lround(x) - kObjectAnchor);
    const float top = float(std::lround(y) - kObjectAnchor);
    const int16_t n = m_strat.Objects.append({index, left, top});
    // Added last, so it is drawn in front of every other object and text.
    m_surface->loadObject(n, picture, QPointF(left, top));
    LastPlacedObject = n;
}

void frmMapa::surfaceMove(Qt::MouseButtons buttons, double x, double y)
{
    const EditorTools &tools = m_ws.tools;
    if (tools.MoveWindowMode) {
        if (buttons == Qt::LeftButton) {
            QWidget *window = movableWindow();
            const QPoint delta((int(std::lround(x)) - m_moveStart.x()) / kTwipsPerPixel,
                               (int(std::lround(y)) - m_moveStart.y()) / kTwipsPerPixel);
            window->move(window->pos() + delta);
        }
        setSurfaceCursor(EditorPictures::moveWindowCursor());
    } else if (tools.PlacingMode) {
        if (bMovimento)
            showRubberBand(x, y);
        setSurfaceCursor(EditorPictures::placingCursor());
    } else {
        unsetSurfaceCursor();
    }
}

void frmMapa::surfaceRelease(Qt::MouseButton, bool shift, double, double)
{
    EditorTools &tools = m_ws.tools;
    if (!shift) {
        unsetSurfaceCursor();
        if (m_ws.setSelectedPreview)
            m_ws.setSelectedPreview(QPixmap());
        tools.PlacingMode = false;
    }
    // Every tool acts once.
    tools.MoveWindowMode = false;
    tools.PlacingMode = false;
    tools.TextMode = false;
    m_surface->tlinha()->hide();
    m_surface->shpT()->hide();
    m_surface->shpM()->hide();
    m_drag.Dragging = false;
}

void frmMapa::objectPress(int16_t i, Qt::MouseButton button, double x, double y)
{
    if (bPausa && i != LastPlacedObject)
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
    if (tools.PlacingMode || tools.TextMode)
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
    if (m_drag.Dragging && m_strat.Objects.contains(i)) {
        StratObject &object = m_strat.Objects[i];
        object.Left = m_drag.newLeft;
        object.Top = m_drag.newTop;
        if (ObjectItem *item = m_surface->imgObj(i))
            item->setPosition(object.Left, object.Top);
        m_drag.Dragging = false;
        // The path's first segment starts at the object; its way points stay.
        const int m = m_strat.Movements.count() > 0 ? movementOf(i) : -1;
        for (int k = 1; m > 0 && k <= m_markerCount; ++k) {
            if (PathLine *line = m_surface->linha(k); line && line->tag() == m) {
                line->setStart(QPointF(object.Left + kObjectAnchor, object.Top + kObjectAnchor));
                break;
            }
        }
    }
    m_drag.Dragging = false;
    m_surface->shpT()->hide();
}

void frmMapa::ApagaObjeto(int16_t Index)
{
    if (!m_strat.Objects.contains(Index))
        return;
    m_surface->unloadObject(Index);
    const int m = movementOf(Index);
    if (m > 0) {
        for (int k = 1; k <= m_markerCount; ++k) {
            if (MarkerItem *marker = m_surface->picM(k); marker && marker->tag() == m) {
                m_surface->unloadMarker(k);
                m_surface->unloadLine(k);
            }
        }
        if (m_strat.Movements.contains(m))
            m_strat.Movements[m].empty();
        clsMovimento &e = ensureEngine(m);
        e.ApagaMovimento(1);
        e.iObj = 0;
    }
    m_strat.Objects[Index] = {kDeletedPicture, 0, 0};
}

} // namespace vantrel
