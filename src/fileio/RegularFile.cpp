#include "fileio/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes the descriptor on every way out.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

QString tooLargeReason(qint64 maxSize)
{
    return QStringLiteral("larger than %1 bytes").arg(maxSize);
}

FileResult readRegularFile(const QString &path, qint64 maxSize, QByteArray &bytes)
{
    bytes.clear();
    const auto failed = [&](const QString &reason) {
        bytes.clear();
        return FileResult::failure(fileError(path, reason));
    };
    if (path.isEmpty())
        return failed(QStringLiteral("no file name"));
    // Without O_NONBLOCK opening a FIFO would wait for a writer.
    Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return failed(systemReason(errno));
    struct stat info;
    if (::fstat(file.fd, &info) != 0)
        return failed(systemReason(errno));
    if (!S_ISREG(info.st_mode))
        return failed(QStringLiteral("not a regular file"));
    if (info.st_size > maxSize)
        return failed(tooLargeReason(maxSize));

    // A file may grow between the look and the read: read one byte past the
    // limit to notice.
    bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxSize)
                return failed(tooLargeReason(maxSize));
            bytes.resize(qMin<qint64>(maxSize + 1, qint64(got) * 2 + 4096));
        }
        const ssize_t n = ::read(file.fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failed(systemReason(errno));
        }
        if (n == 0)
            break;
        got += qsizetype(n);
    }
    if (got > maxSize)
        return failed(tooLargeReason(maxSize));
    bytes.truncate(got);
    return FileResult::success();
}

bool isSameFile(const QString &a, const QString &b)
{
    struct stat sa;
    struct stat sb;
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0
        || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace vantrel
