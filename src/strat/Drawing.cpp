#include "strat/Drawing.h"

#include <algorithm>
#include <climits>

namespace vantrel {

namespace {

// Widths read from a file may be anything; margins stay far from overflow.
constexpr int32_t kMaxMargin = 1 << 20;

int32_t sane(int32_t width)
{
    return std::clamp(width, 0, kMaxMargin);
}

} // namespace

bool Drawing::showsAt(int32_t frame) const
{
    return (fromFrame == 0 || frame >= fromFrame) && (toFrame == 0 || frame <= toFrame);
}

QRect Drawing::bounds() const
{
    if (points.empty())
        return {};
    qint64 left = points.front().x(), right = left;
    qint64 top = points.front().y(), bottom = top;
    for (const QPoint &p : points) {
        left = std::min<qint64>(left, p.x());
        right = std::max<qint64>(right, p.x());
        top = std::min<qint64>(top, p.y());
        bottom = std::max<qint64>(bottom, p.y());
    }
    qint64 margin = (sane(width) + 1) / 2;
    if (kind == DrawingKind::Arrow)
        margin = std::max<qint64>(margin, arrowHeadLength(width));
    // Points read from a file may lie anywhere in the 32-bit range.
    auto edge = [](qint64 v) {
        return int(std::clamp<qint64>(v, INT_MIN / 2, INT_MAX / 2));
    };
    return QRect(QPoint(edge(left - margin), edge(top - margin)),
                 QPoint(edge(right + margin), edge(bottom + margin)));
}

int32_t arrowHeadLength(int32_t width)
{
    return std::max(150, 4 * sane(width));
}

} // namespace vantrel
