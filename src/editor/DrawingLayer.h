#pragma once

#include "strat/Drawing.h"

#include <QGraphicsItem>
#include <QImage>
#include <QRegion>

#include <optional>
#include <vector>

namespace vantrel {

// Every drawing of a strat as one picture of the map's size, between the
// overview and the path lines. A frame of a run only blits the part of the
// picture the moving objects uncover; a drawing that is added, changed,
// removed or comes and goes on its cue redraws just the pixels it covers.
//
// What shows: all drawings at full strength while the strat runs or pauses
// only those whose cue holds at the current frame. A stopped strat shows
// those that show at frame 0 at full strength and the ones cued later faint,
// so they can still be found and edited. The "Drawings" toggle hides all.
class DrawingLayer : public QGraphicsItem
{
public:
    DrawingLayer();

    // The strat's drawings, in painting order; only what differs is redrawn.
    void setDrawings(const std::vector<Drawing> &drawings);
    // The frame the strat shows and whether it is running (or paused).
    void setFrame(int32_t frame, bool running);
    void setAllShown(bool shown);
    bool allShown() const { return m_allShown; }

    // The topmost drawing shown (faint ones included) within `slack` twips
    // of `at`, or -1.
    int drawingAt(const QPointF &at, double slack) const;
    // Whether drawing `index` shows now, and how strongly.
    enum class Look : uint8_t { Hidden, Faint, Full };
    Look look(int index) const;
    int count() const { return int(m_entries.size()); }
    const Drawing &drawing(int index) const { return m_entries[size_t(index)].drawing; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) override;

private:
    struct Entry
    {
        Drawing drawing;
        QRect pixels; // what painting it touches
        Look look = Look::Hidden;
    };
    Look lookOf(const Drawing &drawing) const;
    void restyle();
    void dirty(const QRect &pixels);
    void redraw();

    std::vector<Entry> m_entries;
    int32_t m_frame = 0;
    bool m_running = false;
    bool m_allShown = true;
    QImage m_picture;
    QRegion m_dirty;
};

// The drawing being drawn, over the others until it is let go. Its bounds are
// the whole map, so a stroke growing by a point repaints only that piece.
class DraftItem : public QGraphicsItem
{
public:
    DraftItem();
    void show(const Drawing &drawing);
    // Shows a pen stroke grown by its last point.
    void extend(const QPoint &point);
    void clear();
    const std::optional<Drawing> &drawing() const { return m_drawing; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) override;

private:
    std::optional<Drawing> m_drawing;
};

} // namespace vantrel
