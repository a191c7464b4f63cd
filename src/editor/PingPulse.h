#pragma once

#include <QGraphicsObject>
#include <QString>

class QVariantAnimation;

namespace vantrel {

// A player's ping on a board: rings that widen and fade for two seconds
// around a spot, with the player's nick beside it, then it goes by itself.
// It lives in the scene only: no part of the strat, and captures leave it out.
class PingPulse : public QGraphicsObject
{
    Q_OBJECT

public:
    enum { Type = UserType + 0x70 };
    static constexpr int kLifetimeMs = 2000;

    // `twips` on the map; the pulse is drawn in pixels whatever the scale.
    PingPulse(const QPointF &twips, const QString &nick);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override;

    const QString &nick() const { return m_nick; }

private:
    QString m_nick;
    QVariantAnimation *m_animation;
    double m_phase = 0.0; // 0 at the ping, 1 when it goes
};

} // namespace vantrel
