#pragma once

#include <QStringList>

namespace vantrel {

// True when this build can render (it has the window libraries).
bool canRender();

// vantrel-cli render FILE.vtr --image OUT.jpg [--frame N]
// vantrel-cli render FILE.vtr --video OUT [--frames N] [--codec raw|mjpeg|h264|gif] ...
// N is at most 100000 (26 minutes of play). Needs the application made by
// HeadlessRender::makeApplication. Returns the exit status: 0, 1 for a bad
// strat or target (one line on stderr), 2 for bad usage, 128 + the signal
// when SIGINT or SIGTERM ended a video render (its scratch files removed).
int runRenderCommand(const QStringList &args);

} // namespace vantrel
