#pragma once

#include <QPixmap>

namespace vantrel::ShellIcons {

// The main window's own small pictures, drawn by the program.
QPixmap moveWindow();  // imgMove: a four-way arrow
QPixmap chat();        // imgChat: a speech bubble
QPixmap placeCursor(); // imgIco(0): cross hairs for placing
QPixmap moveCursor();  // imgIco(1): the four-way arrow as a cursor
QPixmap appIcon();     // imgIco(2) and the window icon

} // namespace vantrel::ShellIcons
