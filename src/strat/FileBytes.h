#pragma once

#include <QByteArray>
#include <QString>

namespace vantrel {

struct FileBytes
{
    bool ok = false;
    QByteArray bytes;
    QString reason; // why the file could not be read, without its name
};

// Reads a whole file of at most `maxSize` bytes. Only regular files are read:
// a FIFO would block for good and a device never ends, and a file past the
// limit is refused before anything is allocated for it.
FileBytes readFileBytes(const QString &path, qint64 maxSize);

} // namespace vantrel
