#pragma once

#include <QStringList>

namespace vantrel {

// True when this build can render (it has the window libraries).
bool canRender();

// vantrel-cli render FILE.vtr --image OUT.jpg [--frame N]
// vantrel-cli render FILE.vtr --video OUT.avi [--frames N] [--codec raw|mjpeg] [--quality Q]
// Needs the application made by HeadlessRender::makeApplication. Returns the
// exit status: 0, 1 for a bad strat or target (one line on stderr), 2 for
// bad usage.
int runRenderCommand(const QStringList &args);

} // namespace vantrel
