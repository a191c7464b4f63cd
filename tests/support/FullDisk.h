#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace vantrel::test {

// A small real file system (tmpfs) for one test, mounted when the tests run
// as root; `mounted()` is false where mounting is not permitted, and the test
// then skips. `fill()` takes every byte that is left.
class FullDisk
{
public:
    explicit FullDisk(const char *size = "size=64k")
    {
        m_mounted
            = m_dir.isValid()
              && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, size)
                     == 0;
    }
    ~FullDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // Writes `bytes` to `name` directly, for the old files a test replaces.
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(file(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return f.fileName();
    }

    // Fills the file system up with a file named "filler".
    void fill() const
    {
        QFile f(file(QStringLiteral("filler")));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (f.write(block) == block.size()) {
        }
        const QByteArray byte(1, 'f');
        while (f.write(byte) == 1) {
        }
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace vantrel::test
