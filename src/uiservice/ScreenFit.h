#pragma once

class QWidget;

namespace vantrel {

// Places a top-level window before it is shown so that it lies wholly on the
// screen it appears on: no larger than the screen's free area (less the
// window manager's frame) and moved inside it. A window shown for the first
// time is centred over `anchor` (or the screen when there is none); one
// shown before keeps its place as far as the screen allows.
void keepOnScreen(QWidget *window, const QWidget *anchor = nullptr);

} // namespace vantrel
