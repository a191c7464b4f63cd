#include "cli/CliFailure.h"

#include <cstdio>

namespace vantrel {

int cliFail(const QString &message, int status)
{
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "vantrel-cli: %s\n", line.toUtf8().constData());
    return status;
}

} // namespace vantrel
