#include "strat/FileBytes.h"

#include <QFile>
#include <QFileInfo>

namespace vantrel {

FileBytes readFileBytes(const QString &path, qint64 maxSize)
{
    FileBytes r;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        r.reason = QStringLiteral("not a regular file");
        return r;
    }
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxSize);
    if (info.size() > maxSize) {
        r.reason = tooLarge;
        return r;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.reason = file.errorString();
        return r;
    }
    r.bytes = file.read(maxSize + 1); // a file may grow between the look and the read
    if (file.error() != QFileDevice::NoError) {
        r.reason = file.errorString();
        r.bytes.clear();
    } else if (r.bytes.size() > maxSize) {
        r.reason = tooLarge;
        r.bytes.clear();
    } else {
        r.ok = true;
    }
    return r;
}

} // namespace vantrel
