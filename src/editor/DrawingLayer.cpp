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

QRect pixelsOf(const Drawing &drawing)
{
    const QRectF twips = DrawingShapes::paintedBounds(drawing);
    const QRectF pixels(twips.topLeft() / kTwipsPerPixel, twips.size() / kTwipsPerPixel);
    return pixels.toAlignedRect().adjusted(-1, -1, 1, 1);
}

} // namespace

DrawingLayer::DrawingLayer()
    : m_picture(kMapWidthPixels, kMapHeightPixels, QImage::Format_ARGB32_Premultiplied)
{
    m_picture.fill(Qt::transparent);
    setFlag(ItemUsesExtendedStyleOption);
    setScale(kTwipsPerPixel);
    setZValue(MapLayer::Drawing);
    setAcceptedMouseButtons(Qt::NoButton);
}

DrawingLayer::Look DrawingLayer::lookOf(const Drawing &drawing) const
{
    if (!m_allShown)
        return Look::Hidden;
    if (drawing.showsAt(m_frame))
        return Look::Full;
    return m_running ? Look::Hidden : Look::Faint;
}

DrawingLayer::Look DrawingLayer::look(int index) const
{
    return index >= 0 && index < count() ? m_entries[size_t(index)].look : Look::Hidden;
}

void DrawingLayer::dirty(const QRect &pixels)
{
    const QRect onMap = pixels & m_picture.rect();
    if (onMap.isEmpty())
        return;
    m_dirty += onMap;
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
    for (size_t i = head; i < m_entries.size() - tail; ++i)
        if (m_entries[i].look != Look::Hidden)
            dirty(m_entries[i].pixels);
    std::vector<Entry> changed;
    changed.reserve(drawings.size() - tail - head);
    for (size_t i = head; i < drawings.size() - tail; ++i) {
        Entry e{drawings[i], pixelsOf(drawings[i]), lookOf(drawings[i])};
        if (e.look != Look::Hidden)
            dirty(e.pixels);
        changed.push_back(std::move(e));
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
        const Look now = lookOf(e.drawing);
        if (now != e.look) {
            e.look = now;
            dirty(e.pixels);
        }
    }
}

void DrawingLayer::setFrame(int32_t frame, bool running)
{
    if (frame == m_frame && running == m_running)
        return;
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
    const QPointF pixel = at / kTwipsPerPixel;
    const int reach = int(slack / kTwipsPerPixel) + 1;
    for (size_t i = m_entries.size(); i-- > 0;) {
        const Entry &e = m_entries[i];
        if (e.look == Look::Hidden
            || !e.pixels.adjusted(-reach, -reach, reach, reach).contains(pixel.toPoint()))
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

void DrawingLayer::redraw()
{
    // Only the dirty pixels are cleared and painted again, by every drawing
    // that reaches into them, in order.
    const QRect box = m_dirty.boundingRect();
    QPainter p(&m_picture);
    p.setClipRegion(m_dirty);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(box, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    for (const Entry &e : m_entries) {
        if (e.look == Look::Hidden || !e.pixels.intersects(box) || !m_dirty.intersects(e.pixels))
            continue;
        p.setOpacity(e.look == Look::Faint ? kFaintOpacity : 1.0);
        DrawingShapes::paint(p, e.drawing);
    }
    m_dirty = QRegion();
}

void DrawingLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    if (!m_dirty.isEmpty())
        redraw();
    const QRect exposed = option->exposedRect.toAlignedRect() & m_picture.rect();
    painter->drawImage(exposed.topLeft(), m_picture, exposed);
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
