#include "editor/SelectTool.h"

#include "editor/MapDrawings.h"
#include "editor/MapView.h"
#include "editor/StratEditor.h"
#include "editor/StratSurface.h"
#include "editor/frmMapa.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

int16_t toInt16(double v)
{
    return int16_t(std::clamp(std::lround(v), long(INT16_MIN), long(INT16_MAX)));
}

} // namespace

bool SelectTool::press(frmMapa &window, const MapEvent &event)
{
    if (event.onMap() && !event.onDrawing())
        return true;
    // While paused only the object placed last reacts.
    if (event.hit.kind == MapHit::Object && window.playback().isPaused()
        && event.hit.number != window.editor().lastPlacedObject())
        return true;
    if (event.button == Qt::RightButton) {
        // The menu takes the release, so a right press starts no drag.
        select(window, event);
        return true;
    }
    const QPointF grab = event.local();
    m_drag.grabX = toInt16(grab.x());
    m_drag.grabY = toInt16(grab.y());
    m_drag.startLeft = m_drag.newLeft = toInt16(event.hit.topLeft.x());
    m_drag.startTop = m_drag.newTop = toInt16(event.hit.topLeft.y());
    m_drag.active = true;
    return true;
}

void SelectTool::select(frmMapa &window, const MapEvent &event)
{
    StratSelection &s = window.editor().selection();
    const int16_t n = event.hit.number;
    switch (event.hit.kind) {
    case MapHit::Object:
        s.Kind = StratSelection::ObjectOrPoint;
        s.Item = n;
        s.Point = 0;
        break;
    case MapHit::Text:
        // Item and Point keep their values.
        s.Kind = StratSelection::Text;
        s.Movement = n;
        break;
    case MapHit::Marker:
        s.Kind = StratSelection::ObjectOrPoint;
        s.Point = n;
        s.Movement = s.Item = window.surface().picM(n) ? window.surface().picM(n)->tag() : 0;
        break;
    case MapHit::Drawing:
        window.mapDrawings().openMenu(n, event.globalPos);
        return;
    case MapHit::Map:
        return;
    }
    window.openPopupMenu(event.hit.kind, event.globalPos);
}

QGraphicsRectItem *SelectTool::frameFor(frmMapa &window, const MapHit &hit) const
{
    StratSurface &surface = window.surface();
    if (hit.kind == MapHit::Marker)
        return surface.shpM();
    QGraphicsRectItem *frame = surface.shpT();
    // A text or drawing shows a frame of its own size, an object the object's.
    if (hit.kind == MapHit::Drawing)
        frame->setRect(QRectF(QPointF(0, 0), window.mapDrawings().bounds(hit.number).size()));
    else if (const TextItem *label
             = hit.kind == MapHit::Text ? surface.lblTexto(hit.number) : nullptr)
        frame->setRect(0, 0, label->widthTwips(), label->heightTwips());
    else
        frame->setRect(0, 0, 150, 210);
    return frame;
}

bool SelectTool::move(frmMapa &window, const MapEvent &event)
{
    if (!m_drag.active) {
        if (event.onMap())
            window.view()->viewport()->unsetCursor();
        return true;
    }
    const QPointF at = event.local();
    m_drag.newLeft = toInt16(m_drag.startLeft - (m_drag.grabX - at.x()));
    m_drag.newTop = toInt16(m_drag.startTop - (m_drag.grabY - at.y()));
    QGraphicsRectItem *frame = frameFor(window, event.hit);
    frame->setPos(m_drag.newLeft, m_drag.newTop);
    frame->show();
    return true;
}

bool SelectTool::release(frmMapa &window, const MapEvent &event)
{
    if (event.onMap() && !(event.onDrawing() && m_drag.active)) {
        window.endGesture(event.shift);
        m_drag = Drag();
        return true;
    }
    if (m_drag.active) {
        // One drag is one undo step.
        StratDocument &document = window.document();
        const int16_t n = event.hit.number;
        if (event.hit.kind == MapHit::Object)
            document.moveObject(n, m_drag.newLeft, m_drag.newTop);
        else if (event.hit.kind == MapHit::Text)
            document.moveText(n, m_drag.newLeft, m_drag.newTop);
        else if (event.hit.kind == MapHit::Drawing)
            window.mapDrawings().move(
                n, QPoint(m_drag.newLeft - m_drag.startLeft, m_drag.newTop - m_drag.startTop));
        else if (window.surface().picM(n))
            // The object's anchor lands on the marker's centre.
            document.moveWayPoint(n, m_drag.newLeft - (kObjectAnchor - kMarkerCentre),
                                  m_drag.newTop - (kObjectAnchor - kMarkerCentre));
    }
    m_drag = Drag();
    (event.hit.kind == MapHit::Marker ? window.surface().shpM() : window.surface().shpT())->hide();
    return true;
}

bool SelectTool::doubleClick(frmMapa &window, const MapEvent &event)
{
    if (event.hit.kind == MapHit::Text)
        window.editor().editText(event.hit.number);
    else if (event.hit.kind == MapHit::Marker)
        window.editor().editWayPoint(event.hit.number);
    return true;
}

} // namespace vantrel
