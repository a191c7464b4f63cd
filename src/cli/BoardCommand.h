#pragma once

#include <QStringList>

namespace vantrel {

// `vantrel-cli board share HOST FILE.vtr [--port N]`: shares a strat through
// the team board of the chat host at HOST and exits once the host holds it.
// `vantrel-cli board fetch HOST OUT.vtr [--port N] [--timeout S]`: writes the
// strat the host holds (waiting up to S seconds, 10 by default, for one to be
// shared) through the safe writer. `--port` is the board port (3006 by
// default). `args` are the arguments after "board". Runs the existing
// QCoreApplication's event loop; returns 0 when done, 1 on a bad file, a
// connection that fails or a timeout, 2 on bad arguments.
int runBoardCommand(const QStringList &args);

} // namespace vantrel
