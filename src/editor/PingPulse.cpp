#include "editor/PingPulse.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace vantrel {

namespace {

constexpr double kRingRadius = 26.0; // pixels, the outer ring at its widest
constexpr int kLabelWidth = 160;
constexpr int kFontPixels = 12;
const QColor kColour(255, 210, 0);

QFont nickFont()
{
    QFont font;
    font.setPixelSize(kFontPixels);
    font.setBold(true);
    return font;
}

} // namespace

PingPulse::PingPulse(const QPointF &twips, const QString &nick)
    : m_nick(nick)
    , m_animation(new QVariantAnimation(this))
{
    setPos(twips);
    setFlag(ItemIgnoresTransformations);
    setAcceptedMouseButtons(Qt::NoButton);
    setZValue(1e9); // above every object, text and path
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
    m_animation->setDuration(kLifetimeMs);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_phase = value.toDouble();
        update();
    });
    connect(m_animation, &QVariantAnimation::finished, this, &QObject::deleteLater);
    m_animation->start();
}

QRectF PingPulse::boundingRect() const
{
    const double r = kRingRadius + 2;
    return QRectF(-r, -r, 2 * r + 6 + kLabelWidth, 2 * r);
}

void PingPulse::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const double fade = 1.0 - m_phase;
    // Two rings a half beat apart, each widening and fading.
    for (double offset : {0.0, 0.5}) {
        const double t = std::fmod(m_phase * 2 + offset, 1.0);
        QColor ring = kColour;
        ring.setAlphaF(float((1.0 - t) * fade));
        painter->setPen(QPen(ring, 3));
        painter->setBrush(Qt::NoBrush);
        const double r = 4 + t * (kRingRadius - 4);
        painter->drawEllipse(QPointF(0, 0), r, r);
    }
    QColor dot = kColour;
    dot.setAlphaF(float(0.4 + 0.6 * fade));
    painter->setPen(Qt::NoPen);
    painter->setBrush(dot);
    painter->drawEllipse(QPointF(0, 0), 4, 4);
    if (m_nick.isEmpty())
        return;
    painter->setFont(nickFont());
    const QFontMetrics metrics(painter->font());
    const QString shown = metrics.elidedText(m_nick, Qt::ElideRight, kLabelWidth);
    const QRectF label(10, -kFontPixels - 6, metrics.horizontalAdvance(shown) + 8, kFontPixels + 6);
    painter->setBrush(QColor(0, 0, 0, int(170 * fade)));
    painter->drawRoundedRect(label, 3, 3);
    QColor text = kColour;
    text.setAlphaF(float(fade));
    painter->setPen(text);
    painter->drawText(label, Qt::AlignCenter, shown);
}

} // namespace vantrel
