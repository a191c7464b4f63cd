#pragma once

#include "editor/MapEvent.h"

#include <QGraphicsView>

namespace vantrel {

class frmMapa;
class StratSurface;

// The view of a strat's surface: 1/15 scale, no scroll bars, no frame. It
// turns mouse and key events into the strat window's handlers in twips. Like
// a control that holds the mouse, whatever received the press also receives
// the moves and the release until the buttons are let go.
class MapView : public QGraphicsView
{
    Q_OBJECT

public:
    MapView(frmMapa &window, StratSurface &surface, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    static QPointF toTwips(const QPointF &pixel);
    MapEvent eventFor(const MapHit &hit, QMouseEvent *event) const;

    frmMapa &m_window;
    StratSurface &m_surface;
    bool m_captured = false;
    MapHit m_capture;
};

} // namespace vantrel
