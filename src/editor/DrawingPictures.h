#pragma once

#include "strat/Drawing.h"

#include <QCursor>
#include <QPixmap>

#include <cstdint>

namespace vantrel {

// The pictures of the drawing tools, drawn by the program: 16 x 16 buttons
// and the two cursors.
namespace DrawingPictures {

QPixmap toolPicture(DrawingKind kind);
QPixmap eraserPicture();
// A line of `widthTwips` (thin, medium or thick) across the button.
QPixmap widthPicture(int32_t widthTwips);
// A rectangle filled half through.
QPixmap filledPicture();
// A swatch of the colour the next drawing takes (0xRRGGBB).
QPixmap colorPicture(uint32_t rgb);

// A fine cross for drawing; the eraser, its hot spot at its working edge.
const QCursor &drawingCursor();
const QCursor &eraserCursor();

} // namespace DrawingPictures

} // namespace vantrel
