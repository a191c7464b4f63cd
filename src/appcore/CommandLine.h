#pragma once

#include <QString>
#include <QStringList>

namespace vantrel::CommandLine {

// The whole command line is one strat path: the arguments after the program
// name joined by single blanks, so an unquoted path with blanks survives.
QString join(const QStringList &arguments);

// A path as OpenStratFile takes it: surrounding blanks removed and every
// double quote deleted.
QString cleanPath(const QString &path);

} // namespace vantrel::CommandLine
