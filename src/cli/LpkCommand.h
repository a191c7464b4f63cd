#pragma once

#include <QStringList>

namespace vantrel {

// `vantrel-cli lpk build SOURCE.json OUT.lpk` writes a language pack from its
// readable JSON form; `vantrel-cli lpk dump FILE.lpk` prints that form on
// standard output. `args` are the arguments after "lpk". Returns 0, 1 on bad
// input (one line on standard error naming the file), 2 on bad arguments.
int runLpkCommand(const QStringList &args);

} // namespace vantrel
