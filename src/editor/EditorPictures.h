#pragma once

#include <QCursor>
#include <QPixmap>

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

} // namespace EditorPictures

} // namespace vantrel
