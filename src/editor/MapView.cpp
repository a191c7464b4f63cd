#include "editor/MapView.h"

#include "editor/MapInput.h"
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

MapEvent MapView::eventFor(const MapHit &hit, QMouseEvent *event) const
{
    MapEvent e;
    e.hit = hit;
    e.button = event->button();
    e.buttons = event->buttons();
    e.shift = event->modifiers() & Qt::ShiftModifier;
    e.alt = event->modifiers() & Qt::AltModifier;
    e.pos = toTwips(event->position());
    e.globalPos = event->globalPosition().toPoint();
    return e;
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    // A press with no other button held starts a new capture: the release of
    // the previous one may never have come here (a popup menu takes it).
    if (!m_captured || event->buttons() == event->button()) {
        m_capture = m_surface.hitAt(toTwips(event->position()));
        m_captured = true;
    }
    m_window.input().press(eventFor(m_capture, event));
}

void MapView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        m_captured = false; // no button is held: nothing holds the mouse
    m_window.input().move(
        eventFor(m_captured ? m_capture : m_surface.hitAt(toTwips(event->position())), event));
}

void MapView::mouseReleaseEvent(QMouseEvent *event)
{
    const MapHit hit = m_captured ? m_capture : m_surface.hitAt(toTwips(event->position()));
    if (event->buttons() == Qt::NoButton)
        m_captured = false;
    m_window.input().release(eventFor(hit, event));
}

void MapView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is the double click itself.
    m_capture = m_surface.hitAt(toTwips(event->position()));
    m_captured = true;
    m_window.input().doubleClick(eventFor(m_capture, event));
}

void MapView::keyPressEvent(QKeyEvent *event)
{
    m_window.input().keyDown(event->key());
}

void MapView::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        m_window.input().keyUp(event->key());
}

void MapView::wheelEvent(QWheelEvent *event)
{
    // The surface never scrolls.
    event->accept();
}

} // namespace vantrel
