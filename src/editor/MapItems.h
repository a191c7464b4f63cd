#pragma once

#include "animation/MovingSprite.h"

#include <QFont>
#include <QGraphicsLineItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>

#include <QImage>
#include <QTimer>

#include <cstdint>
#include <vector>

class QTextLayout;

namespace vantrel {

class TextLayer;

// The items of a strat's surface. The scene is in twips; pictures and texts
// are drawn in pixels and scaled by 15, so the view's 1/15 shows them 1:1.
// The map's size: what a strat window's surface shows.
inline constexpr int kMapWidthTwips = 11985;
inline constexpr int kMapHeightTwips = 8775;

enum MapItemType {
    ObjectItemType = QGraphicsItem::UserType + 1,
    TextItemType,
    MarkerItemType,
    PathLineType,
};

// Stacking order: drawings on the overview, lines over them and under
// objects, texts above objects, markers above them all, the rubber band and
// drag frames on top.
namespace MapLayer {
inline constexpr qreal Drawing = 0.5;
inline constexpr qreal Line = 1;
inline constexpr qreal Object = 2; // later ones on top
inline constexpr qreal Text = 3;   // every text label, as one picture
inline constexpr qreal Marker = 5;
inline constexpr qreal Frame = 6;
} // namespace MapLayer

// imgObj(i): a placed object's picture. It is also the sprite the movement
// engine moves; its position stays on the whole-twip grid.
class ObjectItem : public QGraphicsPixmapItem, public MovingSprite
{
public:
    ObjectItem(int16_t number, const QPixmap &picture);
    enum { Type = ObjectItemType }; // for qgraphicsitem_cast
    int type() const override { return Type; }
    int16_t number() const { return m_number; }
    // Drawn size in twips (a grenade box is 210 twips high).
    qreal widthTwips() const;
    qreal heightTwips() const;

    float left() const override { return float(pos().x()); }
    float top() const override { return float(pos().y()); }
    void setPosition(float left, float top) override;
    bool isShown() const override { return isVisible(); }
    void setShown(bool shown) override { setVisible(shown); }

private:
    int16_t m_number;
};

// lblTexto(i): a text label, yellow with a dark outline so it reads on any
// map. A caption longer than the room to its right wraps there (at a word
// boundary where it can); lines below the map are never laid out. The item
// itself draws nothing: it is what a click finds and what a drag frames,
// while the surface's TextLayer draws every label at once. Its size is laid
// out when first asked for (or when the layer draws it), so opening a strat
// of thousands of long captions lays none of them out.
class TextItem : public QGraphicsItem
{
public:
    TextItem(int16_t number, const QString &caption, const QPointF &topLeft, TextLayer *layer);
    enum { Type = TextItemType }; // for qgraphicsitem_cast
    int type() const override { return Type; }
    int16_t number() const { return m_number; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    qreal widthTwips() const { return size().width() * scale(); }
    qreal heightTwips() const { return size().height() * scale(); }

    QRectF boundingRect() const override;
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}
    // Draws the caption in `painter`'s pixels, the map's top-left at (0, 0);
    // returns the number of characters laid out.
    qsizetype drawCaption(QPainter &painter) const;

    static QFont labelFont();

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    // Lays the caption out in the room the label's place leaves; returns
    // the size of what was laid out.
    QSizeF layOut(QTextLayout &layout) const;
    QSizeF size() const;
    void relayout();

    int16_t m_number;
    QString m_caption;
    mutable QSizeF m_size;
    mutable bool m_sized = false; // m_size is laid out (and may have been handed out)
    bool m_shown = true;          // as the layer last heard
    TextLayer *m_layer;
};

// Every text label of a surface as one picture of the map's size. Labels do
// not change while a strat plays, so a frame draws this picture instead of
// shaping every caption again; it is redrawn after a label changed, and only
// the part of each label on the map is drawn. Laying captions out is what
// costs, so one paint lays out at most a screenful or two of characters: a
// strat of thousands of long captions shows its labels over the next paints,
// in number order, while the window answers as usual. A picture of the
// window completes the layer first.
class TextLayer : public QGraphicsItem
{
public:
    // Characters one paint lays out at most (a label is never split).
    static constexpr qsizetype kCharactersPerPaint = 60000;

    explicit TextLayer(const std::vector<TextItem *> &labels);
    void invalidate();
    // Draws every label not drawn yet.
    void complete();
    bool isComplete() const { return !m_stale && m_next >= m_labels.size(); }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) override;

private:
    void restartIfStale();
    // Draws labels from m_next on until `budget` characters are laid out
    // (all when negative) and outlines what is drawn.
    void drawLabels(qsizetype budget);

    const std::vector<TextItem *> &m_labels;
    QImage m_fill;    // the captions in yellow
    QImage m_picture; // the same outlined: what a paint shows
    size_t m_next = 0;
    bool m_stale = true;
    QTimer m_more; // a paint that left labels undrawn asks for the next
};

// picM(k): a way-point marker, 100 x 100 twips in its movement's colour; its
// tag is the movement number.
class MarkerItem : public QGraphicsRectItem
{
public:
    MarkerItem(int16_t number, int16_t tag, uint32_t color);
    enum { Type = MarkerItemType }; // for qgraphicsitem_cast
    int type() const override { return Type; }
    int16_t number() const { return m_number; }
    int16_t tag() const { return m_tag; }
    void setColor(uint32_t color);
    // Centre of the marker (its Left + 50, Top + 50).
    QPointF centre() const;

private:
    int16_t m_number;
    int16_t m_tag;
};

// linha(k): the path segment that ends at marker k; tag = movement number.
class PathLine : public QGraphicsLineItem
{
public:
    PathLine(int16_t number, int16_t tag, uint32_t color);
    enum { Type = PathLineType }; // for qgraphicsitem_cast
    int type() const override { return Type; }
    int16_t number() const { return m_number; }
    int16_t tag() const { return m_tag; }
    void setColor(uint32_t color);
    void setStart(const QPointF &start) { setLine(QLineF(start, line().p2())); }
    void setEnd(const QPointF &end) { setLine(QLineF(line().p1(), end)); }

private:
    int16_t m_number;
    int16_t m_tag;
};

} // namespace vantrel
