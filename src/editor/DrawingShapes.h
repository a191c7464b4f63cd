#pragma once

#include "strat/Drawing.h"

#include <QPointF>
#include <QRectF>

#include <vector>

class QPainter;

namespace vantrel {

// How a drawing looks and where it lies, in twips: what the drawing layer,
// the stroke being drawn and the hit tests share.
namespace DrawingShapes {

// Fill of a filled rectangle or ellipse: the map shows through.
inline constexpr int kFillAlpha = 80;

// Paints `drawing` with `painter` set up in twips.
void paint(QPainter &painter, const Drawing &drawing);

// Everything paint() may touch: the shape, half its width, the arrow head
// and a twip of antialiasing around them.
QRectF paintedBounds(const Drawing &drawing);

// Whether `at` lies on the drawing as it is painted, or within `slack`.
// An outline is hit along its line only; a filled shape inside too.
bool touches(const Drawing &drawing, const QPointF &at, double slack);

// The stroke with every point dropped that lies within `tolerance` of the
// line its kept neighbours make (Ramer-Douglas-Peucker); the first and last
// points stay, repeated points go.
std::vector<QPoint> simplified(const std::vector<QPoint> &stroke, double tolerance);

// The same drawing moved by `offset`.
Drawing moved(const Drawing &drawing, const QPoint &offset);

} // namespace DrawingShapes

} // namespace vantrel
