#include "export/SafeFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSaveFile>

namespace vantrel::SafeFile {

QString fileError(const QString &path, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(path, reason);
}

ExportResult replace(const QString &path, const QByteArray &bytes)
{
    const QFileInfo old(path);
    const bool existed = old.exists() && old.isFile();
    const QDateTime modified = existed ? old.lastModified() : QDateTime();
    const QDateTime accessed = existed ? old.lastRead() : QDateTime();

    QSaveFile file(path);
    auto failed = [&] {
        const QString reason = file.errorString();
        file.cancelWriting();
        return ExportResult::failure(fileError(path, reason));
    };
    // QSaveFile gives the temporary file the old file's permissions itself.
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failed();
    if (existed) {
        // Set on the temporary file, so the rename carries them over in one step.
        file.setFileTime(modified, QFileDevice::FileModificationTime);
        file.setFileTime(accessed, QFileDevice::FileAccessTime);
    }
    if (!file.commit())
        return ExportResult::failure(fileError(path, file.errorString()));
    return ExportResult::success();
}

} // namespace vantrel::SafeFile
