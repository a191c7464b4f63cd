#include "editor/StratSurface.h"

#include "editor/DrawingShapes.h"
#include "strat/StratRecords.h"

#include <QPainter>
#include <QPen>

namespace vantrel {

SurfaceScene::SurfaceScene(QObject *parent)
    : QGraphicsScene(parent)
{
}

void SurfaceScene::setBackground(const QPixmap &picture)
{
    m_background = picture;
    update();
}

void SurfaceScene::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->fillRect(rect, Qt::black);
    if (m_background.isNull())
        return;
    // One picture pixel per screen pixel: 15 twips each, never stretched to fit.
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawPixmap(
        QRectF(0, 0, m_background.width() * kTwipsPerPixel, m_background.height() * kTwipsPerPixel),
        m_background, QRectF(m_background.rect()));
    painter->restore();
}

namespace {

// Three pixels.
constexpr double kDrawingSlack = 45;

QGraphicsRectItem *makeFrame(QGraphicsScene &scene, qreal w, qreal h)
{
    auto *frame = scene.addRect(0, 0, w, h);
    QPen pen(Qt::white, 1, Qt::DashLine);
    pen.setCosmetic(true);
    frame->setPen(pen);
    frame->setZValue(MapLayer::Frame);
    frame->hide();
    return frame;
}

} // namespace

StratSurface::StratSurface()
{
    m_scene.setSceneRect(0, 0, kWidthTwips, kHeightTwips);
    // Thousands of items come and go at once when a strat opens; a linear
    // scan for the rare hit test is cheaper than keeping an index up to date.
    m_scene.setItemIndexMethod(QGraphicsScene::NoIndex);
    createOverlays();
}

// The scene deletes its items itself.
StratSurface::~StratSurface() = default;

void StratSurface::createOverlays()
{
    m_tlinha = m_scene.addLine(QLineF());
    QPen band(Qt::white, 1, Qt::DashLine);
    band.setCosmetic(true);
    m_tlinha->setPen(band);
    m_tlinha->setZValue(MapLayer::Frame);
    m_tlinha->hide();
    m_shpT = makeFrame(m_scene, 150, 210);
    m_shpM = makeFrame(m_scene, kMarkerSize, kMarkerSize);
    m_textLayer = new TextLayer(m_texts);
    m_scene.addItem(m_textLayer);
    m_drawingLayer = new DrawingLayer;
    m_scene.addItem(m_drawingLayer);
    m_draft = new DraftItem;
    m_scene.addItem(m_draft);
}

template<typename T> void StratSurface::put(std::vector<T *> &table, int i, T *item)
{
    unload(table, i);
    if (size_t(i) >= table.size())
        table.resize(size_t(i) + 1, nullptr);
    table[size_t(i)] = item;
    m_scene.addItem(item);
}

template<typename T> void StratSurface::unload(std::vector<T *> &table, int i)
{
    if (T *item = at(table, i)) {
        table[size_t(i)] = nullptr;
        delete item; // leaves the scene on destruction
    }
}

void StratSurface::unloadObject(int i)
{
    unload(m_objects, i);
}

void StratSurface::unloadText(int i)
{
    unload(m_texts, i);
    m_textLayer->invalidate();
}

void StratSurface::unloadMarker(int k)
{
    unload(m_markers, k);
}

void StratSurface::unloadLine(int k)
{
    unload(m_lines, k);
}

ObjectItem *StratSurface::loadObject(int16_t i, const QPixmap &picture, const QPointF &topLeft)
{
    auto *item = new ObjectItem(i, picture);
    item->setPosition(float(topLeft.x()), float(topLeft.y()));
    put(m_objects, i, item);
    return item;
}

TextItem *StratSurface::loadText(int16_t i, const QString &caption, const QPointF &topLeft)
{
    auto *item = new TextItem(i, caption, topLeft, m_textLayer);
    put(m_texts, i, item);
    m_textLayer->invalidate();
    return item;
}

MarkerItem *StratSurface::loadMarker(int16_t k, int16_t tag, uint32_t color, const QPointF &topLeft)
{
    auto *item = new MarkerItem(k, tag, color);
    item->setPos(topLeft);
    put(m_markers, k, item);
    return item;
}

PathLine *StratSurface::loadLine(int16_t k, int16_t tag, uint32_t color, const QPointF &from,
                                 const QPointF &to)
{
    auto *item = new PathLine(k, tag, color);
    item->setLine(QLineF(from, to));
    put(m_lines, k, item);
    return item;
}

void StratSurface::clear()
{
    // One sweep of the scene: removing thousands of items one by one from the
    // scene's list would take quadratic time.
    m_objects.clear();
    m_texts.clear();
    m_markers.clear();
    m_lines.clear();
    m_scene.clear();
    createOverlays();
}

MapHit StratSurface::hitAt(const QPointF &scenePos) const
{
    const QList<QGraphicsItem *> found
        = m_scene.items(scenePos, Qt::IntersectsItemShape, Qt::DescendingOrder);
    for (QGraphicsItem *item : found) {
        if (!item->isVisible())
            continue;
        if (auto *o = qgraphicsitem_cast<ObjectItem *>(item))
            return {MapHit::Object, o->number(), item->pos()};
        if (auto *x = qgraphicsitem_cast<TextItem *>(item))
            return {MapHit::Text, x->number(), item->pos()};
        if (auto *m = qgraphicsitem_cast<MarkerItem *>(item))
            return {MapHit::Marker, m->number(), item->pos()};
    }
    // Drawings lie under every item; a click a few pixels off a line still
    // takes it.
    if (const int d = m_drawingLayer->drawingAt(scenePos, kDrawingSlack); d >= 0)
        return {MapHit::Drawing, int16_t(d),
                DrawingShapes::paintedBounds(m_drawingLayer->drawing(d)).topLeft()};
    return {};
}

} // namespace vantrel
