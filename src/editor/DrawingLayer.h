#pragma once

#include "strat/Drawing.h"

#include <QGraphicsItem>
#include <QImage>
#include <QRegion>

#include <memory>
#include <optional>
#include <vector>

namespace vantrel {

// Every drawing of a strat as pictures of the map's size, between the
// overview and the path lines. A frame of a run only blits the part of the
// pictures the moving objects uncover; a drawing that is added, changed,
// removed or comes and goes on its cue redraws just the pixels it covers.
//
// What shows: while the strat runs or pauses, the drawings whose cue holds
// at the current frame. A stopped strat shows those of frame 0 and, faint
// beneath them, the ones cued for later, so they can still be found and
// edited. The faint ones have a picture of their own that a run simply does
// not show, so starting and stopping repaint nothing but what frame 0 and
// frame 1 differ in. The "Drawings" toggle hides all.
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
    int count() const { return int(m_entries.size()); }
    const Drawing &drawing(int index) const { return m_entries[size_t(index)].drawing; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) override;

private:
    // One picture and the part of it that is out of date.
    struct Sheet
    {
        QImage picture;
        QRegion dirty;
    };
    struct Entry
    {
        Drawing drawing;
        QRect pixels;         // what painting it touches
        bool current = false; // on the picture of the frame shown
        bool later = false;   // on the faint picture of a stopped strat
        // The drawing painted once, when it is small enough to keep: a cue
        // or an edit nearby then copies it instead of stroking it again.
        std::shared_ptr<const QImage> sprite;
    };
    void paintEntry(QPainter &painter, Entry &entry);
    bool isCurrent(const Drawing &drawing) const;
    bool isLater(const Drawing &drawing) const;
    bool isShown(const Entry &entry) const;
    void restyle();
    void dirty(Sheet &sheet, const QRect &pixels);
    void redraw(Sheet &sheet, bool Entry::*on);

    std::vector<Entry> m_entries;
    int32_t m_frame = 0;
    bool m_running = false;
    bool m_allShown = true;
    Sheet m_current;
    Sheet m_later;
    qint64 m_spriteBytes = 0;
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
