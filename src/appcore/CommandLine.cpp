#include "appcore/CommandLine.h"

namespace vantrel::CommandLine {

QString join(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString cleanPath(const QString &path)
{
    QString p = path.trimmed();
    p.remove(QLatin1Char('"'));
    return p;
}

} // namespace vantrel::CommandLine
