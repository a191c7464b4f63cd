#pragma once

#include <QCursor>
#include <QPixmap>

#include <array>

namespace vantrel {

// Pictures the strat window draws itself.
namespace EditorPictures {

// imgIco(0): the placing cursor, a cross with a ring around its hot spot.
const QCursor &placingCursor();
// imgIco(1): the window-move cursor, four arrows.
const QCursor &moveWindowCursor();
// The 19 x 15 pictures of the play, stop and pause buttons.
QPixmap playPicture();
QPixmap stopPicture();
QPixmap pausePicture();
// The picture objects of palette icon `index` are drawn with: the
// workspace's own, or the built-in icon; null for a number with neither.
QPixmap palettePicture(const std::array<QPixmap, 13> &palette, int index);

} // namespace EditorPictures

} // namespace vantrel
