#include "fileio/SafeFile.h"

#include "fileio/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::SafeFile {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The file a write of `path` really replaces: the path itself, or what a
// chain of symbolic links leads to. Empty with `reason` set when the target
// is not a place a regular file can be written.
QByteArray resolveTarget(const QString &path, struct stat &info, bool &exists, QString &reason)
{
    const QByteArray name = QFile::encodeName(path);
    exists = false;
    struct stat link;
    if (::lstat(name.constData(), &link) != 0) {
        if (errno != ENOENT) {
            reason = systemReason(errno);
            return {};
        }
        return name;
    }
    QByteArray target = name;
    if (S_ISLNK(link.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(name.constData(), resolved)) {
            reason = QStringLiteral("a symbolic link that leads nowhere");
            return {};
        }
        target = resolved;
    }
    if (::stat(target.constData(), &info) != 0) {
        reason = systemReason(errno);
        return {};
    }
    if (!S_ISREG(info.st_mode)) {
        reason = QStringLiteral("not a regular file");
        return {};
    }
    exists = true;
    return target;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= qsizetype(n);
    }
    return true;
}

// Creates a new file beside `target` that no other writer shares. Its mode
// is the old file's, or what the user's umask makes of 0666 for a new one.
int createTemporary(const QByteArray &target, QByteArray &temporaryName)
{
    const int slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray base = target.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName = folder + '.' + base + '.'
                        + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        const int fd = ::open(temporaryName.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

FileResult checkTarget(const QString &path, const QStringList &inputs)
{
    struct stat info;
    bool exists = false;
    QString reason;
    if (resolveTarget(path, info, exists, reason).isEmpty())
        return FileResult::failure(fileError(path, reason));
    for (const QString &input : inputs) {
        if (exists && isSameFile(path, input))
            return FileResult::failure(
                fileError(path, QStringLiteral("the same file as the input %1").arg(input)));
    }
    return FileResult::success();
}

FileResult replace(const QString &path, const QByteArray &bytes, Times times)
{
    struct stat old;
    bool existed = false;
    QString reason;
    const QByteArray target = resolveTarget(path, old, existed, reason);
    if (target.isEmpty())
        return FileResult::failure(fileError(path, reason));

    QByteArray temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0)
        return FileResult::failure(fileError(path, systemReason(errno)));
    const auto failed = [&](int error) {
        ::unlink(temporary.constData());
        return FileResult::failure(fileError(path, systemReason(error)));
    };

    bool written = writeAll(fd, bytes);
    int error = errno;
    if (written && existed) {
        // The owner may differ when another user's file is replaced; keeping
        // it is only possible with the rights to, so a failure is no error.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        written = ::fchmod(fd, old.st_mode & 07777) == 0;
        error = errno;
        if (written && times == Times::KeepOld) {
            const struct timespec stamps[2] = {old.st_atim, old.st_mtim};
            written = ::futimens(fd, stamps) == 0;
            error = errno;
        }
    }
    if (written) {
        written = ::fsync(fd) == 0;
        error = errno;
    }
    // close() reports what a network file system kept back until now.
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written)
        return failed(error);
    if (::rename(temporary.constData(), target.constData()) != 0)
        return failed(errno);

    // The rename itself reaches the disk with its folder.
    const int slash = target.lastIndexOf('/');
    const QByteArray folder = slash <= 0 ? QByteArray(slash == 0 ? "/" : ".") : target.left(slash);
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return FileResult::success();
}

} // namespace vantrel::SafeFile
