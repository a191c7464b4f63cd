#pragma once

#include <QByteArray>
#include <QStringList>

namespace vantrel::TipsFile {

// The tips of a tips file (Windows-1252 text), one per line, empty lines
// included. A line ends at CR LF or at a lone CR; a lone LF stays part of
// the line, and a line break at the very end adds no tip.
QStringList parse(const QByteArray &bytes);

// Reads the file at `path`; false when the path is empty or no such file
// can be read.
bool read(const QString &path, QStringList &tips);

// The tip number (1..count) for a uniform random number 0 <= r < 1.
int pick(int count, double r);

} // namespace vantrel::TipsFile
