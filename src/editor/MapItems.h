#pragma once

#include "animation/MovingSprite.h"

#include <QFont>
#include <QGraphicsLineItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>

#include <cstdint>

namespace vantrel {

// The items of a strat's surface. The scene is in twips; pictures and texts
// are drawn in pixels and scaled by 15, so the view's 1/15 shows them 1:1.
enum MapItemType {
    ObjectItemType = QGraphicsItem::UserType + 1,
    TextItemType,
    MarkerItemType,
    PathLineType,
};

// Stacking order: lines under objects and texts, markers above them all, the
// rubber band and drag frames on top.
namespace MapLayer {
inline constexpr qreal Line = 1;
inline constexpr qreal Object = 2; // objects and texts; later ones on top
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

// lblTexto(i): a text label, yellow with a dark outline so it reads on any map.
class TextItem : public QGraphicsItem
{
public:
    TextItem(int16_t number, const QString &caption);
    enum { Type = TextItemType }; // for qgraphicsitem_cast
    int type() const override { return Type; }
    int16_t number() const { return m_number; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    qreal widthTwips() const { return m_size.width() * scale(); }
    qreal heightTwips() const { return m_size.height() * scale(); }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override;

    static QFont labelFont();

private:
    int16_t m_number;
    QString m_caption;
    QSizeF m_size;
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
