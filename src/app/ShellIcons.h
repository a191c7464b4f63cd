#pragma once

#include <QPixmap>

namespace vantrel::ShellIcons {

// The main window's own small pictures, drawn by the program.
QPixmap moveWindow(); // imgMove: a four-way arrow
QPixmap chat();       // imgChat: a speech bubble
QPixmap ping();       // imgPing: a spot with a ring around it
QPixmap appIcon();    // imgIco(2) and the window icon

} // namespace vantrel::ShellIcons
