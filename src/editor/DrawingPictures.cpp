#include "editor/DrawingPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace vantrel::DrawingPictures {

namespace {

const QColor kInk(40, 40, 40);

QPixmap blank(int size = 16)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

void drawEraser(QPainter &p)
{
    // A block tilted to the lower left: a red sleeve and a white rubber tip.
    p.translate(8, 8);
    p.rotate(-40);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(205, 60, 60));
    p.drawRect(QRectF(-2, -3.5, 8, 7));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-7, -3.5, 5, 7));
}

} // namespace

QPixmap toolPicture(DrawingKind kind)
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (kind) {
    case DrawingKind::Pen: {
        // A pencil from the lower left to the upper right.
        p.translate(8, 8);
        p.rotate(-45);
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(240, 190, 60));
        p.drawRect(QRectF(-4, -2.5, 10, 5));
        QPolygonF tip;
        tip << QPointF(-4, -2.5) << QPointF(-8, 0) << QPointF(-4, 2.5);
        p.setBrush(QColor(235, 215, 180));
        p.drawPolygon(tip);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(-7.3, 0), 0.8, 0.8);
        break;
    }
    case DrawingKind::Line:
        p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
        break;
    case DrawingKind::Arrow: {
        p.drawLine(QPointF(2.5, 13.5), QPointF(11, 5));
        QPolygonF head;
        head << QPointF(14, 2) << QPointF(7.5, 4) << QPointF(12, 8.5);
        p.setBrush(kInk);
        p.drawPolygon(head);
        break;
    }
    case DrawingKind::Rect:
        p.drawRect(QRectF(2.5, 3.5, 11, 9));
        break;
    case DrawingKind::Ellipse:
        p.drawEllipse(QRectF(1.5, 3.5, 13, 9));
        break;
    }
    return pm;
}

QPixmap eraserPicture()
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawEraser(p);
    return pm;
}

QPixmap widthPicture(int32_t widthTwips)
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, std::max(1.0, widthTwips / 15.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 8), QPointF(13, 8));
    return pm;
}

QPixmap filledPicture()
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(40, 40, 40, 110));
    p.drawRect(QRectF(2.5, 3.5, 11, 9));
    return pm;
}

QPixmap colorPicture(uint32_t rgb)
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.fillRect(QRect(1, 1, 14, 14), QColor::fromRgb(QRgb(rgb & 0xFFFFFF)));
    p.setPen(Qt::black);
    p.drawRect(QRect(1, 1, 13, 13));
    return pm;
}

const QCursor &drawingCursor()
{
    static const QCursor cursor = [] {
        // A white cross with a dark edge, readable on any overview.
        QPixmap pm = blank(17);
        QPainter p(&pm);
        for (const auto &[colour, width] :
             {std::pair{QColor(0, 0, 0), 3}, {QColor(255, 255, 255), 1}}) {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(8, 0, 8, 6);
            p.drawLine(8, 10, 8, 16);
            p.drawLine(0, 8, 6, 8);
            p.drawLine(10, 8, 16, 8);
        }
        return QCursor(pm, 8, 8);
    }();
    return cursor;
}

const QCursor &eraserCursor()
{
    static const QCursor cursor(eraserPicture(), 3, 12);
    return cursor;
}

} // namespace vantrel::DrawingPictures
