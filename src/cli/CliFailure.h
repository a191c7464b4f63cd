#pragma once

#include <QString>

namespace vantrel {

// One line on standard error, "vantrel-cli: " and what is wrong (line ends
// become spaces); returns `status`, the command's exit status.
int cliFail(const QString &message, int status = 1);

} // namespace vantrel
