#include "app/ShellIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace vantrel::ShellIcons {

namespace {

QPixmap blank(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

void drawFourWayArrow(QPainter &p, const QRectF &r, const QColor &colour)
{
    const QPointF c = r.center();
    const qreal a = r.width() / 2 - 0.5; // arm length
    const qreal head = r.width() / 5;
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - a + 1, c.y()), QPointF(c.x() + a - 1, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - a + 1), QPointF(c.x(), c.y() + a - 1));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QPointF tips[4]
        = {{c.x() - a, c.y()}, {c.x() + a, c.y()}, {c.x(), c.y() - a}, {c.x(), c.y() + a}};
    const QPointF dirs[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int i = 0; i < 4; ++i) {
        const QPointF t = tips[i];
        const QPointF d = dirs[i];
        const QPointF n(-d.y(), d.x());
        QPolygonF tri;
        tri << t << t + d * head + n * head * 0.8 << t + d * head - n * head * 0.8;
        p.drawPolygon(tri);
    }
}

} // namespace

QPixmap moveWindow()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawFourWayArrow(p, QRectF(0, 0, 16, 16), QColor(40, 40, 40));
    return pm;
}

QPixmap chat()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 1.5, 14, 10), 3, 3);
    QPolygonF tail;
    tail << QPointF(4, 11) << QPointF(3.5, 15) << QPointF(8, 11);
    bubble.addPolygon(tail);
    bubble = bubble.simplified();
    p.setPen(QPen(QColor(20, 70, 140), 1));
    p.setBrush(QColor(90, 160, 230));
    p.drawPath(bubble);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(4.5 + 3.5 * i, 6.5), 1.1, 1.1);
    return pm;
}

QPixmap appIcon()
{
    QPixmap pm = blank(32, 32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A map sheet with a dotted path between a blue and a red marker.
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(214, 196, 150));
    p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 3, 3);
    p.setPen(QPen(QColor(40, 40, 40), 1.5, Qt::DotLine));
    p.drawLine(QPointF(9, 22), QPointF(23, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 204));
    p.drawEllipse(QPointF(9, 22), 4.5, 4.5);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QPointF(23, 10), 4.5, 4.5);
    return pm;
}

QPixmap ping()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour(200, 120, 0);
    p.setPen(QPen(colour, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(8, 8), 3, 3);
    return pm;
}

} // namespace vantrel::ShellIcons
