#pragma once

#include "editor/DrawingLayer.h"
#include "editor/MapEvent.h"
#include "editor/MapItems.h"

#include <QGraphicsScene>
#include <QPixmap>

#include <vector>

namespace vantrel {

// The scene of one strat window, in twips, with the overview picture drawn
// at its own size from the top-left corner behind every item.
class SurfaceScene : public QGraphicsScene
{
public:
    explicit SurfaceScene(QObject *parent = nullptr);
    void setBackground(const QPixmap &picture);
    const QPixmap &background() const { return m_background; }

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    QPixmap m_background;
};

// The surface of a strat window: the scene and the tables that find each
// control by its number. Lookups return null for a number that has no
// control (never created, or unloaded).
class StratSurface
{
public:
    static constexpr int kWidthTwips = kMapWidthTwips;
    static constexpr int kHeightTwips = kMapHeightTwips;

    StratSurface();
    ~StratSurface();
    StratSurface(const StratSurface &) = delete;
    StratSurface &operator=(const StratSurface &) = delete;

    SurfaceScene &scene() { return m_scene; }

    ObjectItem *imgObj(int i) const { return at(m_objects, i); }
    TextItem *lblTexto(int i) const { return at(m_texts, i); }
    MarkerItem *picM(int k) const { return at(m_markers, k); }
    // The highest marker number the table has room for.
    int markerSlots() const { return int(m_markers.size()) - 1; }
    PathLine *linha(int k) const { return at(m_lines, k); }
    QGraphicsLineItem *tlinha() const { return m_tlinha; }
    QGraphicsRectItem *shpT() const { return m_shpT; }
    QGraphicsRectItem *shpM() const { return m_shpM; }
    // Every label: a window shows long ones over a few paints.
    TextLayer &textLayer() { return *m_textLayer; }
    // Every drawing as one picture, and the one being drawn.
    DrawingLayer *drawingLayer() const { return m_drawingLayer; }
    DraftItem *draft() const { return m_draft; }

    // Create (replacing any control of that number) or unload controls.
    ObjectItem *loadObject(int16_t i, const QPixmap &picture, const QPointF &topLeft);
    TextItem *loadText(int16_t i, const QString &caption, const QPointF &topLeft);
    MarkerItem *loadMarker(int16_t k, int16_t tag, uint32_t color, const QPointF &topLeft);
    PathLine *loadLine(int16_t k, int16_t tag, uint32_t color, const QPointF &from,
                       const QPointF &to);
    void unloadObject(int i);
    void unloadText(int i);
    void unloadMarker(int k);
    void unloadLine(int k);
    // Unloads every control and hides the band and frames.
    void clear();

    // The object, text, marker or drawing shown topmost at `scenePos`, or
    // the map.
    MapHit hitAt(const QPointF &scenePos) const;

private:
    template<typename T> static T *at(const std::vector<T *> &table, int i)
    {
        return i >= 0 && size_t(i) < table.size() ? table[size_t(i)] : nullptr;
    }
    void createOverlays();
    template<typename T> void put(std::vector<T *> &table, int i, T *item);
    template<typename T> void unload(std::vector<T *> &table, int i);

    SurfaceScene m_scene;
    std::vector<ObjectItem *> m_objects;
    std::vector<TextItem *> m_texts;
    std::vector<MarkerItem *> m_markers;
    std::vector<PathLine *> m_lines;
    QGraphicsLineItem *m_tlinha;
    QGraphicsRectItem *m_shpT;
    QGraphicsRectItem *m_shpM;
    TextLayer *m_textLayer;
    DrawingLayer *m_drawingLayer;
    DraftItem *m_draft;
};

} // namespace vantrel
