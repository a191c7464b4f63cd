#pragma once

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

namespace vantrel {

enum class DrawingKind : uint8_t { Pen = 0, Line = 1, Arrow = 2, Rect = 3, Ellipse = 4 };
inline constexpr int kDrawingKindCount = 5;

// Stroke widths offered for a new drawing, in twips.
inline constexpr int32_t kThinWidth = 15;
inline constexpr int32_t kMediumWidth = 30;
inline constexpr int32_t kThickWidth = 60;

// A shape drawn on the map, in twips like every other place of the strat.
struct Drawing
{
    DrawingKind kind = DrawingKind::Line;
    std::vector<QPoint> points; // pen: the stroke; others: two corner points
    uint32_t color = 0xFF0000;  // 0xRRGGBB
    int32_t width = kMediumWidth;
    bool filled = false;   // rect and ellipse only; drawn semi-transparent
    int32_t fromFrame = 0; // first frame it shows (0 = always)
    int32_t toFrame = 0;   // last frame it shows (0 = always)

    // Whether it shows at `frame` of a run.
    bool showsAt(int32_t frame) const;
    QRect bounds() const; // twips, including half the width (and an arrow's head)
    bool operator==(const Drawing &) const = default;
};

// Length of an arrow's head along the shaft, in twips: it grows with the
// width so a thick arrow keeps a visible head.
int32_t arrowHeadLength(int32_t width);

} // namespace vantrel
