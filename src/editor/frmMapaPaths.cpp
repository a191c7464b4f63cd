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
    if (m > 0 && engine(m)->itM != 0 && previousMarkerCentre(m_markerCount + 1, m, end))
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
    EditorTools &tools = m_ws.tools;
    bMovimento = false;
    tools.PlacingMode = false;
    const int obj = selectedObject();
    ObjectItem *object = m_surface->imgObj(obj);
    // A removed object gets no path.
    if (!object || !m_strat.Objects.contains(obj) || m_strat.Objects[obj].isDeleted())
        return;
    const int32_t px = int32_t(std::lround(x));
    const int32_t py = int32_t(std::lround(y));

    int m = movementOf(obj);
    const bool newMovement = m < 0;
    const clsMovimento *existing = newMovement ? nullptr : engine(m);
    if (refuseWhenFull(m_markerCount == INT16_MAX
                       || (newMovement && m_strat.Movements.count() == INT16_MAX)
                       || (existing && existing->itM == INT16_MAX)))
        return;
    if (newMovement) {
        m = m_strat.Movements.append();
        m_strat.LineColors.resize(m_strat.Movements.count());
    }
    clsMovimento &e = ensureEngine(m);
    e.iObj = int16_t(obj);
    if (m_strat.LineColors[m] == 0)
        m_strat.LineColors[m] = kButtonFaceColor;
    const uint32_t color = m_strat.LineColors[m];

    const int16_t w = ++m_markerCount;
    m_markerPoint.resize(size_t(w) + 1, 0);
    m_surface->loadMarker(w, int16_t(m), color, QPointF(px - kMarkerCentre, py - kMarkerCentre));
    QPointF start = object->pos() + QPointF(kObjectAnchor, kObjectAnchor);
    if (e.itM != 0)
        previousMarkerCentre(w, m, start);
    m_surface->loadLine(w, int16_t(m), color, start, QPointF(px, py));

    tools.DialogStartFrame = 0;
    tools.DialogVelocity = 0;
    frmMov dialog(m_ws, m_ws.owner);
    dialog.prepareForNewPoint(object->heightTwips() == 210);
    if (m_ws.ui.runModal(dialog) != QDialog::Accepted) {
        // Closing the dialog without OK adds no way point.
        m_surface->unloadMarker(w);
        m_surface->unloadLine(w);
        --m_markerCount;
        m_markerPoint.resize(size_t(m_markerCount) + 1);
        if (newMovement) {
            m_strat.Movements.resize(int16_t(m - 1));
            m_strat.LineColors.resize(int16_t(m - 1));
            m_engines.resize(size_t(m));
        }
        return;
    }
    const int16_t n = e.Adiciona(tools.DialogStartFrame, px - kObjectAnchor, py - kObjectAnchor,
                                 tools.DialogVelocity);
    m_markerPoint[size_t(w)] = n;
    StratMovement &movement = m_strat.Movements[m];
    movement.ObjectIndex = int16_t(obj);
    movement.PointCount = n;
    movement.Points.resize(size_t(n) + 1);
    movement.Points[size_t(n)]
        = {tools.DialogStartFrame, px - kObjectAnchor, py - kObjectAnchor, tools.DialogVelocity};
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
    if (tools.PlacingMode || tools.TextMode)
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
        const int m = marker->tag();
        const int16_t p = MarkerPoint(k);
        const int32_t x = m_drag.newLeft - (kObjectAnchor - kMarkerCentre);
        const int32_t y = m_drag.newTop - (kObjectAnchor - kMarkerCentre);
        if (m_strat.Movements.contains(m) && m_strat.Movements[m].hasPoint(p)) {
            MovementPoint &point = m_strat.Movements[m].Points[size_t(p)];
            point.X = x;
            point.Y = y;
        }
        if (clsMovimento *e = engine(m))
            e->EditaXY(p, x, y);
        marker->setPos(m_drag.newLeft, m_drag.newTop);
        if (PathLine *line = m_surface->linha(k))
            line->setEnd(marker->centre());
        // The next segment of the same path starts here now.
        for (int j = k + 1; j <= m_markerCount; ++j) {
            if (PathLine *next = m_surface->linha(j); next && next->tag() == m) {
                next->setStart(marker->centre());
                break;
            }
        }
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
    if (!m_strat.Movements.contains(m) || !m_strat.Movements[m].hasPoint(p))
        return;
    MovementPoint &point = m_strat.Movements[m].Points[size_t(p)];
    frmMov dialog(m_ws, m_ws.owner);
    dialog.prepareForEdit(point.StartFrame, point.Velocity);
    // Closing the dialog without OK changes nothing.
    if (m_ws.ui.runModal(dialog) != QDialog::Accepted)
        return;
    point.StartFrame = m_ws.tools.DialogStartFrame;
    point.Velocity = m_ws.tools.DialogVelocity;
    if (clsMovimento *e = engine(m))
        e->EditaMov(p, point.StartFrame, point.Velocity);
}

void frmMapa::ApagaMovimento(int16_t Index, int16_t ittM)
{
    // Only a marker that still shows a way point of that movement can cut it.
    const MarkerItem *first = m_surface->picM(Index);
    if (!first || first->tag() != ittM || !m_strat.Movements.contains(ittM))
        return;
    const int16_t cutAt = MarkerPoint(Index);
    for (int k = Index; k <= m_markerCount; ++k) {
        if (const MarkerItem *marker = m_surface->picM(k); marker && marker->tag() == ittM) {
            m_surface->unloadMarker(k);
            m_surface->unloadLine(k);
        }
    }
    // The records keep the points before the cut, as the engine does.
    StratMovement &movement = m_strat.Movements[ittM];
    movement.PointCount = int16_t(std::max(0, cutAt - 1));
    movement.Points.resize(size_t(movement.PointCount) + 1);
    if (clsMovimento *e = engine(ittM))
        e->ApagaMovimento(cutAt);
}

void frmMapa::MudaCor()
{
    const int m = movementOf(m_ws.tools.SelectionItem);
    if (m < 1 || !m_strat.LineColors.contains(m))
        return;
    m_ws.tools.ChosenColor = m_strat.LineColors[m];
    frmCores dialog(m_ws, m_ws.owner);
    dialog.setPreview(m_ws.tools.ChosenColor);
    m_ws.ui.runModal(dialog);
    const uint32_t color = m_ws.tools.ChosenColor;
    m_strat.LineColors[m] = color;
    for (int k = 1; k <= m_markerCount; ++k) {
        if (MarkerItem *marker = m_surface->picM(k); marker && marker->tag() == m) {
            marker->setColor(color);
            if (PathLine *line = m_surface->linha(k))
                line->setColor(color);
        }
    }
}

} // namespace vantrel
