#pragma once

#include <QStringList>

namespace vantrel {

// `vantrel-cli chat-host [--nick NAME] [--port N] [--bind ADDRESS]`: hosts a
// chat without a window and prints its log on standard output until SIGINT or
// SIGTERM. `args` are the arguments after "chat-host". Runs the existing
// QCoreApplication's event loop; returns 0 after an interrupt, 1 when the port
// cannot be listened on, 2 on bad arguments.
int runChatHostCommand(const QStringList &args);

} // namespace vantrel
