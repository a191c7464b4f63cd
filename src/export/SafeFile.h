#pragma once

#include "export/ExportResult.h"

#include <QByteArray>
#include <QString>

namespace vantrel::SafeFile {

// Writes `bytes` to `path` through a temporary file in the same folder that is
// renamed into place only when it is whole, so a failed write leaves an older
// file untouched. A replaced file hands its modification and access times and
// its permissions on to the new one. A failure's message names the file and
// the reason.
ExportResult replace(const QString &path, const QByteArray &bytes);

// "<path>: <reason>", the form of every file error of the export.
QString fileError(const QString &path, const QString &reason);

} // namespace vantrel::SafeFile
