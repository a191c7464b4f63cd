#pragma once

#include "fileio/FileResult.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

// Reads a whole file of at most `maxSize` bytes into `bytes`. Only regular
// files are read: the file is opened without waiting, looked at through the
// open handle (a FIFO would block for good and a device never ends) and
// refused past the limit before anything is allocated for it. A failure's
// message names the file and the reason; `bytes` is then empty.
FileResult readRegularFile(const QString &path, qint64 maxSize, QByteArray &bytes);

// The reason a file of more than `maxSize` bytes is refused.
QString tooLargeReason(qint64 maxSize);

// True when both paths name one existing file (same device and inode), also
// through links or another spelling of the path.
bool isSameFile(const QString &a, const QString &b);

} // namespace vantrel
