#include "editor/MapItems.h"

#include "editor/SystemColors.h"
#include "strat/StratRecords.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace vantrel {

ObjectItem::ObjectItem(int16_t number, const QPixmap &picture)
    : QGraphicsPixmapItem(picture)
    , m_number(number)
{
    setTransformationMode(Qt::FastTransformation);
    // The whole icon rectangle is the object, its transparent corners too:
    // a click there must not fall through to the map.
    setShapeMode(QGraphicsPixmapItem::BoundingRectShape);
    setScale(kTwipsPerPixel);
    setZValue(MapLayer::Object);
}

qreal ObjectItem::widthTwips() const
{
    return pixmap().width() * scale();
}

qreal ObjectItem::heightTwips() const
{
    return pixmap().height() * scale();
}

void ObjectItem::setPosition(float left, float top)
{
    setPos(toWholeTwips(left), toWholeTwips(top));
}

QFont TextItem::labelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

TextItem::TextItem(int16_t number, const QString &caption)
    : m_number(number)
{
    setScale(kTwipsPerPixel);
    setZValue(MapLayer::Object);
    setCaption(caption);
}

void TextItem::setCaption(const QString &caption)
{
    prepareGeometryChange();
    m_caption = caption;
    const QFontMetricsF metrics(labelFont());
    // One pixel of outline on every side.
    m_size = QSizeF(std::ceil(metrics.horizontalAdvance(caption)) + 2,
                    std::ceil(metrics.height()) + 2);
    update();
}

QRectF TextItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), m_size);
}

void TextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.addText(QPointF(1, 1 + metrics.ascent()), font, m_caption);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->strokePath(path, QPen(QColor(0, 0, 0, 200), 2.5));
    painter->fillPath(path, QColor(255, 255, 0)); // &H0000FFFF
}

MarkerItem::MarkerItem(int16_t number, int16_t tag, uint32_t color)
    : QGraphicsRectItem(0, 0, kMarkerSize, kMarkerSize)
    , m_number(number)
    , m_tag(tag)
{
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    setPen(pen);
    setColor(color);
    setZValue(MapLayer::Marker);
}

void MarkerItem::setColor(uint32_t color)
{
    setBrush(colorFromValue(color));
}

QPointF MarkerItem::centre() const
{
    return pos() + QPointF(kMarkerCentre, kMarkerCentre);
}

PathLine::PathLine(int16_t number, int16_t tag, uint32_t color)
    : m_number(number)
    , m_tag(tag)
{
    setColor(color);
    setZValue(MapLayer::Line);
}

void PathLine::setColor(uint32_t color)
{
    QPen pen(colorFromValue(color), 2);
    pen.setCosmetic(true);
    setPen(pen);
}

} // namespace vantrel
