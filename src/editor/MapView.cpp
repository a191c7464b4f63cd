#include "editor/MapView.h"

#include "editor/StratSurface.h"
#include "editor/frmMapa.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

namespace vantrel {

MapView::MapView(frmMapa &window, StratSurface &surface, QWidget *parent)
    : QGraphicsView(&surface.scene(), parent)
    , m_window(window)
    , m_surface(surface)
{
    setObjectName(QStringLiteral("surface"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setOptimizationFlag(QGraphicsView::DontAdjustForAntialiasing, true);
    setMouseTracking(true);
    setSceneRect(0, 0, StratSurface::kWidthTwips, StratSurface::kHeightTwips);
    scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
}

QPointF MapView::toTwips(const QPointF &pixel)
{
    // The surface never scrolls: pixel (0, 0) is twip (0, 0).
    return QPointF(std::floor(pixel.x()), std::floor(pixel.y())) * kTwipsPerPixel;
}

MapView::Target MapView::targetAt(const QPointF &scenePos) const
{
    Target t;
    if (QGraphicsItem *item = m_surface.hitTest(scenePos)) {
        t.type = item->type();
        t.topLeft = item->pos();
        if (auto *o = qgraphicsitem_cast<ObjectItem *>(item))
            t.number = o->number();
        else if (auto *x = qgraphicsitem_cast<TextItem *>(item))
            t.number = x->number();
        else if (auto *m = qgraphicsitem_cast<MarkerItem *>(item))
            t.number = m->number();
    }
    return t;
}

void MapView::dispatch(const Target &target, Phase phase, QMouseEvent *event,
                       const QPointF &scenePos)
{
    const Qt::MouseButton button = event->button();
    const Qt::MouseButtons buttons = event->buttons();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    m_window.setLastGlobalPos(event->globalPosition().toPoint());
    // Positions inside a control are relative to where it stood at the press.
    const QPointF rel = scenePos - target.topLeft;
    const int16_t n = int16_t(target.number);
    switch (target.type) {
    case ObjectItemType:
        if (phase == Phase::Press)
            m_window.objectPress(n, button, rel.x(), rel.y());
        else if (phase == Phase::Move)
            m_window.objectMove(n, buttons, rel.x(), rel.y());
        else
            m_window.objectRelease(n, button);
        break;
    case TextItemType:
        if (phase == Phase::Press)
            m_window.textPress(n, button, rel.x(), rel.y());
        else if (phase == Phase::Move)
            m_window.textMove(n, buttons, rel.x(), rel.y());
        else
            m_window.textRelease(n, button);
        break;
    case MarkerItemType:
        if (phase == Phase::Press)
            m_window.markerPress(n, button, rel.x(), rel.y());
        else if (phase == Phase::Move)
            m_window.markerMove(n, buttons, rel.x(), rel.y());
        else
            m_window.markerRelease(n, button);
        break;
    default:
        if (phase == Phase::Press)
            m_window.surfacePress(button, scenePos.x(), scenePos.y());
        else if (phase == Phase::Move)
            m_window.surfaceMove(buttons, scenePos.x(), scenePos.y());
        else
            m_window.surfaceRelease(button, shift, scenePos.x(), scenePos.y());
        break;
    }
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    const QPointF scenePos = toTwips(event->position());
    // A press with no other button held starts a new capture: the release of
    // the previous one may never have come here (a popup menu takes it).
    if (!m_captured || event->buttons() == event->button()) {
        m_capture = targetAt(scenePos);
        m_captured = true;
    }
    dispatch(m_capture, Phase::Press, event, scenePos);
}

void MapView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF scenePos = toTwips(event->position());
    if (event->buttons() == Qt::NoButton)
        m_captured = false; // no button is held: nothing holds the mouse
    if (m_captured) {
        dispatch(m_capture, Phase::Move, event, scenePos);
        return;
    }
    dispatch(targetAt(scenePos), Phase::Move, event, scenePos);
}

void MapView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF scenePos = toTwips(event->position());
    const Target target = m_captured ? m_capture : targetAt(scenePos);
    if (event->buttons() == Qt::NoButton)
        m_captured = false;
    dispatch(target, Phase::Release, event, scenePos);
}

void MapView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is the double click itself.
    const QPointF scenePos = toTwips(event->position());
    const Target target = targetAt(scenePos);
    m_capture = target;
    m_captured = true;
    if (target.type == TextItemType)
        m_window.textDoubleClick(int16_t(target.number));
    else if (target.type == MarkerItemType)
        m_window.markerDoubleClick(int16_t(target.number));
}

void MapView::keyPressEvent(QKeyEvent *event)
{
    m_window.keyDown(event->key());
}

void MapView::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        m_window.keyUp(event->key());
}

void MapView::wheelEvent(QWheelEvent *event)
{
    // The surface never scrolls.
    event->accept();
}

} // namespace vantrel
