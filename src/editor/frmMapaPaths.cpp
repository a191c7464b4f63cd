// Movement paths: adding way points, the rubber band, dragging and editing a
// way point, cutting a path's tail, and recolouring a movement.
#include "editor/EditorPopupMenus.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmCores.h"
#include "editor/frmMapa.h"
#include "editor/frmMov.h"
#include "uiservice/Ui.h"

#include <cmath>

namespace vantrel {

int frmMapa::selectedObject() const
{
    const EditorTools &tools = m_ws.tools;
    // A way point's selection names its movement; the path belongs to the
    // movement's owner object.
    if (tools.SelectionPoint != 0) {
        const clsMovimento *e = engine(tools.SelectionItem);
        return e ? e->iObj : 0;
    }
    return tools.SelectionItem;
}

bool frmMapa::previousMarkerCentre(int k, int m, QPointF &centre) const
{
    for (int j = k - 1; j >= 1; --j) {
        if (const MarkerItem *marker = m_surface->picM(j); marker && marker->tag() == m) {
            centre = marker->centre();
            return true;
        }
    }
    return false;
}

QPointF frmMapa::pathEnd(int obj) const
{
    const int m = movementOf(obj);
    QPointF end;
    if (m > 0 && engine(m) && engine(m)->itM != 0
        && previousMarkerCentre(MarkerCount() + 1, m, end))
        return end;
    if (const ObjectItem *item = m_surface->imgObj(obj))
        return item->pos() + QPointF(kObjectAnchor, kObjectAnchor);
    return {};
}

void frmMapa::showRubberBand(double x, double y)
{
    const int obj = selectedObject();
    if (!m_surface->imgObj(obj))
        return;
    QGraphicsLineItem *band = m_surface->tlinha();
    band->setLine(QLineF(pathEnd(obj), QPointF(x, y)));
    band->show();
}

void frmMapa::addWayPoint(double x, double y)
{
    const int obj = selectedObject();
    ObjectItem *object = m_surface->imgObj(obj);
    // A removed object gets no path.
    if (!object || !m_document.isObjectDrawn(obj))
        return;
    const int32_t px = int32_t(std::lround(x));
    const int32_t py = int32_t(std::lround(y));

    // While the dialog is open the new marker and its line are shown; the
    // way point itself is stored only on OK, as one undo step.
    const int m = movementOf(obj);
    const clsMovimento *existing = m > 0 ? engine(m) : nullptr;
    if (refuseWhenFull(MarkerCount() == INT16_MAX
                       || (m < 0 && strat().Movements.count() == INT16_MAX)
                       || (existing && existing->itM == INT16_MAX)))
        return;
    const int16_t w = int16_t(MarkerCount() + 1);
    const uint32_t color = m > 0 && strat().LineColors.contains(m) && strat().LineColors[m] != 0
                               ? strat().LineColors[m]
                               : kButtonFaceColor;
    const int16_t tag = int16_t(m > 0 ? m : strat().Movements.count() + 1);
    m_surface->loadMarker(w, tag, color, QPointF(px - kMarkerCentre, py - kMarkerCentre));
    QPointF start = object->pos() + QPointF(kObjectAnchor, kObjectAnchor);
    if (m > 0 && engine(m) && engine(m)->itM != 0)
        previousMarkerCentre(w, m, start);
    m_surface->loadLine(w, tag, color, start, QPointF(px, py));

    frmMov dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    dialog.prepareForNewPoint(object->heightTwips() == 210);
    m_ws.ui.runModal(dialog);
    m_surface->unloadMarker(w);
    m_surface->unloadLine(w);
    // Closing the dialog without OK adds no way point.
    if (const auto &answer = dialog.answer())
        m_document.addWayPoint(int16_t(obj), px - kObjectAnchor, py - kObjectAnchor,
                               answer->DialogStartFrame, answer->DialogVelocity);
}

void frmMapa::markerPress(int16_t k, Qt::MouseButton button, double x, double y)
{
    MarkerItem *marker = m_surface->picM(k);
    if (!marker)
        return;
    EditorTools &tools = m_ws.tools;
    if (button == Qt::RightButton) {
        tools.SelectionWindow = iMI;
        tools.SelectionKind = 1;
        tools.SelectionPoint = k;
        tools.SelectionMovement = marker->tag();
        tools.SelectionItem = marker->tag();
        // The menu takes the release, so a right press starts no drag.
        if (m_ws.popupMenus)
            m_ws.popupMenus->popupPointMenu(m_lastGlobalPos);
        return;
    }
    if (tools.PlacingMode() || tools.TextMode())
        return;
    startDrag(x, y, marker->pos());
}

void frmMapa::markerMove(int16_t, Qt::MouseButtons, double x, double y)
{
    if (!m_drag.Dragging)
        return;
    dragTo(x, y, m_surface->shpM());
}

void frmMapa::markerRelease(int16_t k, Qt::MouseButton)
{
    MarkerItem *marker = m_surface->picM(k);
    if (m_drag.Dragging && marker) {
        // The object's anchor lands on the marker's centre; the marker, its
        // line and the next segment follow the document.
        m_document.moveWayPoint(k, m_drag.newLeft - (kObjectAnchor - kMarkerCentre),
                                m_drag.newTop - (kObjectAnchor - kMarkerCentre));
    }
    m_drag.Dragging = false;
    m_surface->shpM()->hide();
}

void frmMapa::markerDoubleClick(int16_t k)
{
    const MarkerItem *marker = m_surface->picM(k);
    if (!marker)
        return;
    const int m = marker->tag();
    const int16_t p = MarkerPoint(k);
    if (!strat().Movements.contains(m) || !strat().Movements[m].hasPoint(p))
        return;
    const MovementPoint &point = strat().Movements[m].Points[size_t(p)];
    frmMov dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    dialog.prepareForEdit(point.StartFrame, point.Velocity);
    m_ws.ui.runModal(dialog);
    // Closing the dialog without OK changes nothing.
    if (const auto &answer = dialog.answer())
        m_document.editWayPoint(k, answer->DialogStartFrame, answer->DialogVelocity);
}

void frmMapa::ApagaMovimento(int16_t Index, int16_t ittM)
{
    m_document.cutPath(Index, ittM);
}

void frmMapa::MudaCor()
{
    const int m = movementOf(m_ws.tools.SelectionItem);
    if (m < 1 || !strat().LineColors.contains(m))
        return;
    frmCores dialog(strat().LineColors[m], m_ws.owner);
    m_ws.language.translate(&dialog);
    m_ws.ui.runModal(dialog);
    m_document.setLineColor(int16_t(m), dialog.ChosenColor());
}

} // namespace vantrel
