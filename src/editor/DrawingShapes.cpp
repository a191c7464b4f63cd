#include "editor/DrawingShapes.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace vantrel::DrawingShapes {

namespace {

// A pixel's worth of antialiasing past the painted edge.
constexpr qreal kAntialiasTwips = 15;

QColor colourOf(const Drawing &drawing, int alpha = 255)
{
    QColor c = QColor::fromRgb(QRgb(drawing.color & 0xFFFFFF));
    c.setAlpha(alpha);
    return c;
}

QRectF cornerRect(const Drawing &drawing)
{
    if (drawing.points.size() < 2)
        return {};
    return QRectF(QPointF(drawing.points.front()), QPointF(drawing.points.back())).normalized();
}

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

// An arrow's head: the tip at the second point, a base as wide as it is
// long; a short arrow gets a smaller head rather than a head past its tail.
struct ArrowHead
{
    QPointF tip, left, right, base;
};

ArrowHead arrowHead(const Drawing &drawing)
{
    const QPointF from(drawing.points.front());
    const QPointF to(drawing.points.back());
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    ArrowHead head{to, to, to, to};
    if (length <= 0)
        return head;
    const double size = std::min(double(arrowHeadLength(drawing.width)), length);
    const QPointF unit = along / length;
    const QPointF normal(-unit.y(), unit.x());
    head.base = to - unit * size;
    head.left = head.base + normal * (size / 2);
    head.right = head.base - normal * (size / 2);
    return head;
}

// Round ends; bevelled bends, which at these widths look like round ones
// and cost a fraction to stroke on a long pen stroke; mitred corners on a
// rectangle.
QPen penOf(const Drawing &drawing)
{
    return QPen(colourOf(drawing), std::max(1, drawing.width), Qt::SolidLine, Qt::RoundCap,
                drawing.kind == DrawingKind::Rect ? Qt::MiterJoin : Qt::BevelJoin);
}

} // namespace

void paint(QPainter &painter, const Drawing &drawing)
{
    if (drawing.points.empty())
        return;
    painter.setPen(penOf(drawing));
    painter.setBrush(Qt::NoBrush);
    switch (drawing.kind) {
    case DrawingKind::Pen:
        if (drawing.points.size() == 1)
            painter.drawPoint(drawing.points.front());
        else
            painter.drawPolyline(drawing.points.data(), int(drawing.points.size()));
        break;
    case DrawingKind::Line:
        painter.drawLine(drawing.points.front(), drawing.points.back());
        break;
    case DrawingKind::Arrow: {
        const ArrowHead head = arrowHead(drawing);
        painter.drawLine(QPointF(drawing.points.front()), head.base);
        const QPointF tip[] = {head.tip, head.left, head.right};
        QPen edge = penOf(drawing);
        edge.setWidth(std::max(1, drawing.width / 2));
        painter.setPen(edge);
        painter.setBrush(colourOf(drawing));
        painter.drawPolygon(tip, 3);
        break;
    }
    case DrawingKind::Rect:
    case DrawingKind::Ellipse: {
        if (drawing.filled)
            painter.setBrush(colourOf(drawing, kFillAlpha));
        const QRectF r = cornerRect(drawing);
        if (drawing.kind == DrawingKind::Rect)
            painter.drawRect(r);
        else
            painter.drawEllipse(r);
        break;
    }
    }
}

QRectF paintedBounds(const Drawing &drawing)
{
    if (drawing.points.empty())
        return {};
    return QRectF(drawing.bounds())
        .adjusted(-kAntialiasTwips, -kAntialiasTwips, kAntialiasTwips, kAntialiasTwips);
}

bool touches(const Drawing &drawing, const QPointF &at, double slack)
{
    if (drawing.points.empty())
        return false;
    const double reach = std::max(1, drawing.width) / 2.0 + slack;
    const auto nearLine = [&](const std::vector<QPoint> &points) {
        if (points.size() == 1)
            return distanceToSegment(at, points.front(), points.front()) <= reach;
        for (size_t i = 1; i < points.size(); ++i)
            if (distanceToSegment(at, points[i - 1], points[i]) <= reach)
                return true;
        return false;
    };
    switch (drawing.kind) {
    case DrawingKind::Pen:
        return nearLine(drawing.points);
    case DrawingKind::Line:
        return nearLine({drawing.points.front(), drawing.points.back()});
    case DrawingKind::Arrow: {
        if (nearLine({drawing.points.front(), drawing.points.back()}))
            return true;
        const ArrowHead head = arrowHead(drawing);
        return QPolygonF({head.tip, head.left, head.right}).containsPoint(at, Qt::OddEvenFill);
    }
    case DrawingKind::Rect: {
        const QRectF r = cornerRect(drawing);
        const QRectF outer = r.adjusted(-reach, -reach, reach, reach);
        const QRectF inner = r.adjusted(reach, reach, -reach, -reach);
        return outer.contains(at) && (drawing.filled || !inner.contains(at));
    }
    case DrawingKind::Ellipse: {
        const QRectF r = cornerRect(drawing);
        const QPointF d = at - r.center();
        const auto inside = [&](double grow) {
            const double rx = r.width() / 2 + grow, ry = r.height() / 2 + grow;
            if (rx <= 0 || ry <= 0)
                return false;
            return (d.x() * d.x()) / (rx * rx) + (d.y() * d.y()) / (ry * ry) <= 1.0;
        };
        return inside(reach) && (drawing.filled || !inside(-reach));
    }
    }
    return false;
}

std::vector<QPoint> simplified(const std::vector<QPoint> &stroke, double tolerance)
{
    std::vector<QPoint> points;
    points.reserve(stroke.size());
    for (const QPoint &p : stroke)
        if (points.empty() || points.back() != p)
            points.push_back(p);
    const size_t n = points.size();
    if (n < 3)
        return points;
    // Iterative, so a stroke of any length cannot run the stack out.
    std::vector<char> keep(n, 0);
    keep.front() = keep.back() = 1;
    std::vector<std::pair<size_t, size_t>> spans{{0, n - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = -1;
        size_t at = first;
        for (size_t i = first + 1; i < last; ++i) {
            const double d = distanceToSegment(points[i], points[first], points[last]);
            if (d > farthest) {
                farthest = d;
                at = i;
            }
        }
        if (farthest > tolerance) {
            keep[at] = 1;
            spans.emplace_back(first, at);
            spans.emplace_back(at, last);
        }
    }
    std::vector<QPoint> kept;
    for (size_t i = 0; i < n; ++i)
        if (keep[i])
            kept.push_back(points[i]);
    return kept;
}

Drawing moved(const Drawing &drawing, const QPoint &offset)
{
    Drawing d = drawing;
    for (QPoint &p : d.points)
        p += offset;
    return d;
}

} // namespace vantrel::DrawingShapes
