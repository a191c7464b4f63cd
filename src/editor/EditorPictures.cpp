#include "editor/EditorPictures.h"

#include "strat/PaletteIcons.h"
#include "strat/StratRecords.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace vantrel::EditorPictures {

namespace {

QPixmap transparentPixmap(int w, int h)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A button face: a dark rounded box with a light border.
QPixmap buttonFace()
{
    QPixmap pixmap = transparentPixmap(19, 15);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(200, 200, 200));
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(0.5, 0.5, 18, 14), 3, 3);
    return pixmap;
}

} // namespace

namespace {

QCursor drawPlacingCursor()
{
    QPixmap pixmap = transparentPixmap(32, 32);
    QPainter p(&pixmap);
    for (int pass = 0; pass < 2; ++pass) {
        // A dark outline first, then the light cross over it.
        p.setPen(QPen(pass == 0 ? Qt::black : Qt::white, pass == 0 ? 3 : 1));
        p.drawLine(16, 2, 16, 11);
        p.drawLine(16, 21, 16, 30);
        p.drawLine(2, 16, 11, 16);
        p.drawLine(21, 16, 30, 16);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPoint(16, 16), 5, 5);
    }
    return QCursor(pixmap, 16, 16);
}

QCursor drawMoveWindowCursor()
{
    QPixmap pixmap = transparentPixmap(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(16, 2);
    path.lineTo(21, 8);
    path.lineTo(18, 8);
    path.lineTo(18, 14);
    path.lineTo(24, 14);
    path.lineTo(24, 11);
    path.lineTo(30, 16);
    path.lineTo(24, 21);
    path.lineTo(24, 18);
    path.lineTo(18, 18);
    path.lineTo(18, 24);
    path.lineTo(21, 24);
    path.lineTo(16, 30);
    path.lineTo(11, 24);
    path.lineTo(14, 24);
    path.lineTo(14, 18);
    path.lineTo(8, 18);
    path.lineTo(8, 21);
    path.lineTo(2, 16);
    path.lineTo(8, 11);
    path.lineTo(8, 14);
    path.lineTo(14, 14);
    path.lineTo(14, 8);
    path.lineTo(11, 8);
    path.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    return QCursor(pixmap, 16, 16);
}

} // namespace

// The surface asks for its cursor on every mouse move: draw each once.
const QCursor &placingCursor()
{
    static const QCursor cursor = drawPlacingCursor();
    return cursor;
}

const QCursor &moveWindowCursor()
{
    static const QCursor cursor = drawMoveWindowCursor();
    return cursor;
}

QPixmap playPicture()
{
    QPixmap pixmap = buttonFace();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 220, 90));
    p.drawPolygon(QPolygonF({QPointF(7, 3.5), QPointF(13.5, 7.5), QPointF(7, 11.5)}));
    return pixmap;
}

QPixmap stopPicture()
{
    QPixmap pixmap = buttonFace();
    QPainter p(&pixmap);
    p.fillRect(QRect(6, 4, 7, 7), QColor(230, 70, 70));
    return pixmap;
}

QPixmap pausePicture()
{
    QPixmap pixmap = buttonFace();
    QPainter p(&pixmap);
    p.fillRect(QRect(6, 4, 2, 7), QColor(240, 200, 60));
    p.fillRect(QRect(11, 4, 2, 7), QColor(240, 200, 60));
    return pixmap;
}

QPixmap palettePicture(const std::array<QPixmap, 13> &palette, int index)
{
    if (index < 0 || index >= kPaletteSize)
        return {};
    const QPixmap &picture = palette[size_t(index)];
    return picture.isNull() ? QPixmap::fromImage(PaletteIcons::image(index)) : picture;
}

} // namespace vantrel::EditorPictures
