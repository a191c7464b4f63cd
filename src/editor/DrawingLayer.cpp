#include "editor/DrawingLayer.h"

#include "editor/DrawingShapes.h"
#include "editor/MapItems.h"
#include "strat/StratRecords.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>

namespace vantrel {

namespace {

constexpr int kMapWidthPixels = kMapWidthTwips / kTwipsPerPixel;
constexpr int kMapHeightPixels = kMapHeightTwips / kTwipsPerPixel;
// How strongly a stopped strat shows a drawing cued for later.
constexpr qreal kFaintOpacity = 0.35;
// Sprites kept: each at most a quarter of the map, all together 64 MB.
constexpr qint64 kSpriteArea = qint64(kMapWidthPixels) * kMapHeightPixels / 4;
constexpr qint64 kSpriteBytes = 64 << 20;

QRect pixelsOf(const Drawing &drawing)
{
    const QRectF twips = DrawingShapes::paintedBounds(drawing);
    const QRectF pixels(twips.topLeft() / kTwipsPerPixel, twips.size() / kTwipsPerPixel);
    return pixels.toAlignedRect().adjusted(-1, -1, 1, 1);
}

} // namespace

DrawingLayer::DrawingLayer()
{
    for (Sheet *sheet : {&m_current, &m_later}) {
        sheet->picture
            = QImage(kMapWidthPixels, kMapHeightPixels, QImage::Format_ARGB32_Premultiplied);
        sheet->picture.fill(Qt::transparent);
    }
    setFlag(ItemUsesExtendedStyleOption);
    setScale(kTwipsPerPixel);
    setZValue(MapLayer::Drawing);
    setAcceptedMouseButtons(Qt::NoButton);
}

bool DrawingLayer::isCurrent(const Drawing &drawing) const
{
    return m_allShown && drawing.showsAt(m_running ? m_frame : 0);
}

bool DrawingLayer::isLater(const Drawing &drawing) const
{
    return m_allShown && !drawing.showsAt(0);
}

bool DrawingLayer::isShown(const Entry &entry) const
{
    return entry.current || (entry.later && !m_running);
}

void DrawingLayer::dirty(Sheet &sheet, const QRect &pixels)
{
    const QRect onMap = pixels & sheet.picture.rect();
    if (onMap.isEmpty())
        return;
    sheet.dirty += onMap;
    if (&sheet == &m_current || !m_running)
        update(onMap);
}

void DrawingLayer::setDrawings(const std::vector<Drawing> &drawings)
{
    // An edit changes one run of drawings: what the old and new lists share
    // at their start and end stays as it is painted.
    const size_t common = std::min(m_entries.size(), drawings.size());
    size_t head = 0;
    while (head < common && m_entries[head].drawing == drawings[head])
        ++head;
    size_t tail = 0;
    while (tail < common - head
           && m_entries[m_entries.size() - 1 - tail].drawing
                  == drawings[drawings.size() - 1 - tail])
        ++tail;
    const auto mark = [this](const Entry &e) {
        if (e.current)
            dirty(m_current, e.pixels);
        if (e.later)
            dirty(m_later, e.pixels);
    };
    for (size_t i = head; i < m_entries.size() - tail; ++i) {
        mark(m_entries[i]);
        if (m_entries[i].sprite)
            m_spriteBytes -= m_entries[i].sprite->sizeInBytes();
    }
    std::vector<Entry> changed;
    changed.reserve(drawings.size() - tail - head);
    for (size_t i = head; i < drawings.size() - tail; ++i) {
        const Drawing &d = drawings[i];
        changed.push_back({d, pixelsOf(d), isCurrent(d), isLater(d), {}});
        mark(changed.back());
    }
    m_entries.erase(m_entries.begin() + std::ptrdiff_t(head),
                    m_entries.end() - std::ptrdiff_t(tail));
    m_entries.insert(m_entries.begin() + std::ptrdiff_t(head),
                     std::make_move_iterator(changed.begin()),
                     std::make_move_iterator(changed.end()));
}

void DrawingLayer::restyle()
{
    for (Entry &e : m_entries) {
        const bool current = isCurrent(e.drawing);
        if (current != e.current) {
            e.current = current;
            dirty(m_current, e.pixels);
        }
        const bool later = isLater(e.drawing);
        if (later != e.later) {
            e.later = later;
            dirty(m_later, e.pixels);
        }
    }
}

void DrawingLayer::setFrame(int32_t frame, bool running)
{
    if (frame == m_frame && running == m_running)
        return;
    if (running != m_running)
        update(); // the faint picture comes or goes
    m_frame = frame;
    m_running = running;
    restyle();
}

void DrawingLayer::setAllShown(bool shown)
{
    if (shown == m_allShown)
        return;
    m_allShown = shown;
    restyle();
}

int DrawingLayer::drawingAt(const QPointF &at, double slack) const
{
    const QPoint pixel = (at / kTwipsPerPixel).toPoint();
    const int reach = int(slack / kTwipsPerPixel) + 1;
    for (size_t i = m_entries.size(); i-- > 0;) {
        const Entry &e = m_entries[i];
        if (!isShown(e) || !e.pixels.adjusted(-reach, -reach, reach, reach).contains(pixel))
            continue;
        if (DrawingShapes::touches(e.drawing, at, slack))
            return int(i);
    }
    return -1;
}

QRectF DrawingLayer::boundingRect() const
{
    return QRectF(0, 0, kMapWidthPixels, kMapHeightPixels);
}

void DrawingLayer::redraw(Sheet &sheet, bool Entry::*on)
{
    // Only the dirty pixels are cleared and painted again, by every drawing
    // of the sheet that reaches into them, in order.
    const QRect box = sheet.dirty.boundingRect();
    QPainter p(&sheet.picture);
    p.setClipRegion(sheet.dirty);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(box, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (Entry &e : m_entries)
        if (e.*on && e.pixels.intersects(box) && sheet.dirty.intersects(e.pixels))
            paintEntry(p, e);
    sheet.dirty = QRegion();
}

void DrawingLayer::paintEntry(QPainter &painter, Entry &e)
{
    const qint64 area = qint64(e.pixels.width()) * e.pixels.height();
    if (!e.sprite && area <= kSpriteArea && m_spriteBytes + 4 * area <= kSpriteBytes) {
        auto sprite
            = std::make_shared<QImage>(e.pixels.size(), QImage::Format_ARGB32_Premultiplied);
        sprite->fill(Qt::transparent);
        QPainter p(sprite.get());
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-e.pixels.topLeft());
        p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
        DrawingShapes::paint(p, e.drawing);
        p.end();
        m_spriteBytes += sprite->sizeInBytes();
        e.sprite = std::move(sprite);
    }
    if (e.sprite) {
        painter.drawImage(e.pixels.topLeft(), *e.sprite);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    DrawingShapes::paint(painter, e.drawing);
    painter.restore();
}

void DrawingLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const QRect exposed = option->exposedRect.toAlignedRect() & m_current.picture.rect();
    if (!m_running) {
        if (!m_later.dirty.isEmpty())
            redraw(m_later, &Entry::later);
        painter->save();
        painter->setOpacity(painter->opacity() * kFaintOpacity);
        painter->drawImage(exposed.topLeft(), m_later.picture, exposed);
        painter->restore();
    }
    if (!m_current.dirty.isEmpty())
        redraw(m_current, &Entry::current);
    painter->drawImage(exposed.topLeft(), m_current.picture, exposed);
}

DraftItem::DraftItem()
{
    setFlag(ItemUsesExtendedStyleOption);
    setZValue(MapLayer::Drawing);
    setAcceptedMouseButtons(Qt::NoButton);
}

void DraftItem::show(const Drawing &drawing)
{
    if (m_drawing)
        update(DrawingShapes::paintedBounds(*m_drawing));
    m_drawing = drawing;
    update(DrawingShapes::paintedBounds(drawing));
}

void DraftItem::extend(const QPoint &point)
{
    if (!m_drawing)
        return;
    std::vector<QPoint> &points = m_drawing->points;
    const QPoint last = points.empty() ? point : points.back();
    points.push_back(point);
    Drawing piece = *m_drawing;
    piece.points = {last, point};
    update(DrawingShapes::paintedBounds(piece));
}

void DraftItem::clear()
{
    if (!m_drawing)
        return;
    const QRectF was = DrawingShapes::paintedBounds(*m_drawing);
    m_drawing.reset();
    update(was);
}

QRectF DraftItem::boundingRect() const
{
    return QRectF(0, 0, kMapWidthTwips, kMapHeightTwips);
}

void DraftItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    if (!m_drawing)
        return;
    painter->setClipRect(option->exposedRect);
    painter->setRenderHint(QPainter::Antialiasing);
    DrawingShapes::paint(*painter, *m_drawing);
}

} // namespace vantrel
