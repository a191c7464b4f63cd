#pragma once

#include "fileio/FileResult.h"

#include <QByteArray>
#include <QStringList>

namespace vantrel::TipsFile {

// The tips of a tips file (Windows-1252 text), one per line, empty lines
// included. A line ends at CR LF or at a lone CR; a lone LF stays part of
// the line, and a line break at the very end adds no tip.
QStringList parse(const QByteArray &bytes);

// The largest tips file read: some hundred times the longest tips file there
// is; a file past it is refused as too large, never read in part.
constexpr qint64 kMaxSize = 64 * 1024 * 1024;

// Reads the file at `path`; a failure's message names the file and why it
// cannot be read.
FileResult read(const QString &path, QStringList &tips);

// The tip number (1..count) for a uniform random number 0 <= r < 1.
int pick(int count, double r);

} // namespace vantrel::TipsFile
