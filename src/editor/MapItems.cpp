#include "editor/MapItems.h"

#include "editor/SystemColors.h"
#include "strat/StratRecords.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

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

namespace {

constexpr int kMapWidthPixels = kMapWidthTwips / kTwipsPerPixel;
constexpr int kMapHeightPixels = kMapHeightTwips / kTwipsPerPixel;
// One pixel of outline on every side of the caption.
constexpr qreal kOutline = 1;
// The narrowest room a label wraps in, so a label at the map's right edge
// still shows a few characters on each line.
constexpr qreal kNarrowestRoom = 40;

} // namespace

TextItem::TextItem(int16_t number, const QString &caption, const QPointF &topLeft, TextLayer *layer)
    : m_number(number)
    , m_layer(layer)
{
    setFlag(ItemHasNoContents);
    setScale(kTwipsPerPixel);
    setZValue(MapLayer::Object);
    setPos(topLeft);
    setFlag(ItemSendsGeometryChanges);
    setCaption(caption);
}

void TextItem::setCaption(const QString &caption)
{
    m_caption = caption;
    relayout();
}

QVariant TextItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    // The room to the right, and so the wrapping, follows the label's place.
    if (change == ItemPositionHasChanged) {
        relayout();
    } else if (change == ItemVisibleHasChanged && value.toBool() != m_shown) {
        // The scene also says so when it first polishes an item, shown all along.
        m_shown = value.toBool();
        if (m_layer)
            m_layer->invalidate();
    }
    return QGraphicsItem::itemChange(change, value);
}

void TextItem::relayout()
{
    // Nothing can hold a size never handed out; one that was is laid out
    // again when next asked for.
    if (m_sized) {
        prepareGeometryChange();
        m_sized = false;
    }
    if (m_layer)
        m_layer->invalidate();
}

QSizeF TextItem::size() const
{
    if (!m_sized) {
        QTextLayout layout;
        m_size = layOut(layout);
        m_sized = true;
    }
    return m_size;
}

QSizeF TextItem::layOut(QTextLayout &layout) const
{
    const QPointF at = pos() / kTwipsPerPixel;
    const qreal room = std::max(kMapWidthPixels - at.x() - 2 * kOutline, kNarrowestRoom);
    // Lines that would start below the map are never seen.
    const qreal bottom = kMapHeightPixels - at.y();
    // No glyph of the label font is narrower than 2 pixels, so characters
    // past this many could only land below the map.
    const qsizetype mostShown = qsizetype(bottom / 12 + 2) * qsizetype(room / 2 + 1);
    layout.setText(bottom > 0 ? m_caption.left(mostShown) : m_caption.left(room / 2 + 1));
    layout.setFont(labelFont());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    qreal width = 0;
    qreal y = kOutline;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room);
        line.setPosition(QPointF(kOutline, y));
        y += line.height();
        width = std::max(width, line.naturalTextWidth());
        if (y >= bottom)
            break;
    }
    layout.endLayout();
    return QSizeF(std::ceil(width) + 2 * kOutline, std::ceil(y) + kOutline);
}

qsizetype TextItem::drawCaption(QPainter &painter) const
{
    QTextLayout layout;
    const QSizeF size = layOut(layout);
    // Known now, so a click after the layer is drawn lays nothing out.
    if (!m_sized) {
        m_size = size;
        m_sized = true;
    }
    layout.draw(&painter, pos() / kTwipsPerPixel);
    return layout.text().size();
}

QRectF TextItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), size());
}

TextLayer::TextLayer(const std::vector<TextItem *> &labels)
    : m_labels(labels)
{
    setFlag(ItemUsesExtendedStyleOption);
    setScale(kTwipsPerPixel);
    setZValue(MapLayer::Text);
    setAcceptedMouseButtons(Qt::NoButton);
    m_more.setSingleShot(true);
    QObject::connect(&m_more, &QTimer::timeout, [this] { update(); });
}

void TextLayer::invalidate()
{
    if (m_stale)
        return;
    m_stale = true;
    m_more.stop();
    update();
}

void TextLayer::complete()
{
    restartIfStale();
    if (m_next < m_labels.size()) {
        drawLabels(-1);
        update();
    }
    m_more.stop();
}

QRectF TextLayer::boundingRect() const
{
    return QRectF(0, 0, kMapWidthPixels, kMapHeightPixels);
}

void TextLayer::restartIfStale()
{
    if (!m_stale)
        return;
    m_fill = QImage(kMapWidthPixels, kMapHeightPixels, QImage::Format_ARGB32_Premultiplied);
    m_fill.fill(Qt::transparent);
    m_picture = m_fill;
    m_next = 0;
    m_stale = false;
}

void TextLayer::drawLabels(qsizetype budget)
{
    // The captions in yellow, in number order.
    {
        QPainter p(&m_fill);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(QColor(255, 255, 0)); // &H0000FFFF
        qsizetype laidOut = 0;
        for (; m_next < m_labels.size() && (budget < 0 || laidOut < budget); ++m_next)
            if (const TextItem *label = m_labels[m_next]; label && label->isVisible())
                laidOut += label->drawCaption(p);
    }
    // The outline: the captions' shape in a dark colour, one pixel around.
    QImage shadow = m_fill;
    {
        QPainter p(&shadow);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(shadow.rect(), QColor(0, 0, 0, 110));
    }
    m_picture.fill(Qt::transparent);
    QPainter p(&m_picture);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0)
                p.drawImage(QPoint(dx, dy), shadow);
    p.drawImage(QPoint(0, 0), m_fill);
}

void TextLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    restartIfStale();
    if (m_next < m_labels.size()) {
        drawLabels(kCharactersPerPaint);
        if (m_next < m_labels.size())
            m_more.start();
    }
    const QRect exposed = option->exposedRect.toAlignedRect() & m_picture.rect();
    painter->drawImage(exposed.topLeft(), m_picture, exposed);
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
