#include "fileio/RegularFile.h"
#include "fileio/SafeFile.h"
#include "support/FullDisk.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vantrel;
using vantrel::test::FullDisk;
using vantrel::test::TempHome;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

} // namespace

TEST(SafeFile, FullDiskKeepsTheOldFileLeavesNothingAndSaysWhy)
{
    FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const QByteArray old(3000, 'o');
    const QString path = disk.write(QStringLiteral("plan.vtr"), old);
    disk.fill();
    const FileResult r = SafeFile::replace(path, QByteArray(20000, 'n'));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, path + QStringLiteral(": No space left on device"));
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("filler"), QStringLiteral("plan.vtr")}));
}

TEST(SafeFile, TargetsThatAreNotRegularFilesAreRefusedAndKept)
{
    TempHome home;
    const QString fifo = home.file(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo), 0600), 0);
    const QString dangling = home.file(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(home.file(QStringLiteral("nowhere/x")), dangling));
    const QString toFifo = home.file(QStringLiteral("to-pipe"));
    ASSERT_TRUE(QFile::link(fifo, toFifo));
    const struct
    {
        QString path;
        const char *reason;
    } cases[] = {
        {QStringLiteral("/dev/null"), "not a regular file"},
        {fifo, "not a regular file"},
        {toFifo, "not a regular file"},
        {home.path(), "not a regular file"},
        {dangling, "a symbolic link that leads nowhere"},
    };
    for (const auto &c : cases) {
        const mode_t before = modeOf(c.path);
        const FileResult r = SafeFile::replace(c.path, "bytes");
        EXPECT_EQ(r.message, c.path + QStringLiteral(": ") + QLatin1String(c.reason));
        EXPECT_EQ(SafeFile::checkTarget(c.path).message, r.message);
        EXPECT_EQ(modeOf(c.path), before) << qPrintable(c.path);
    }
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("nowhere"))));
}

TEST(SafeFile, ALinkLeadsToTheFileItReplacesAndNewFilesFollowTheUmask)
{
    TempHome home;
    const QString real = home.write(QStringLiteral("real.vtr"), "old");
    ASSERT_TRUE(QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const QString link = home.file(QStringLiteral("link.vtr"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(SafeFile::replace(link, "new").ok);
    EXPECT_TRUE(S_ISLNK(modeOf(link)));
    EXPECT_EQ(readAll(real), "new");
    EXPECT_EQ(modeOf(real) & 0777, 0600u);

    const mode_t mask = ::umask(022);
    const QString fresh = home.file(QStringLiteral("fresh.vtr"));
    ASSERT_TRUE(SafeFile::replace(fresh, "x").ok);
    ::umask(mask);
    EXPECT_EQ(modeOf(fresh) & 0777, 0644u);
}

TEST(RegularFile, OnlyWholeRegularFilesWithinTheLimitAreRead)
{
    TempHome home;
    const QString fifo = home.file(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo), 0600), 0);
    const QString limit = home.write(QStringLiteral("limit"), QByteArray(100, 'a'));
    const QString over = home.write(QStringLiteral("over"), QByteArray(101, 'a'));
    const QString missing = home.file(QStringLiteral("missing"));
    const struct
    {
        QString path;
        QString reason; // empty: read
    } cases[] = {
        {limit, {}},
        {over, QStringLiteral("larger than 100 bytes")},
        {fifo, QStringLiteral("not a regular file")},
        {QStringLiteral("/dev/zero"), QStringLiteral("not a regular file")},
        {home.path(), QStringLiteral("not a regular file")},
        {missing, QStringLiteral("No such file or directory")},
    };
    for (const auto &c : cases) {
        QByteArray bytes("stale");
        const FileResult r = readRegularFile(c.path, 100, bytes);
        if (c.reason.isEmpty()) {
            EXPECT_TRUE(r.ok) << qPrintable(r.message);
            EXPECT_EQ(bytes, QByteArray(100, 'a'));
        } else {
            EXPECT_EQ(r.message, c.path + QStringLiteral(": ") + c.reason);
            EXPECT_TRUE(bytes.isEmpty());
        }
    }
}

TEST(RegularFile, SameFileThroughLinksAndSpellings)
{
    TempHome home;
    const QString a = home.write(QStringLiteral("a.json"), "{}");
    const QString b = home.write(QStringLiteral("b.json"), "{}");
    const QString link = home.file(QStringLiteral("link.json"));
    ASSERT_TRUE(QFile::link(a, link));
    EXPECT_TRUE(isSameFile(a, link));
    EXPECT_TRUE(isSameFile(a, home.path() + QStringLiteral("/./a.json")));
    EXPECT_FALSE(isSameFile(a, b));
    EXPECT_FALSE(isSameFile(a, home.file(QStringLiteral("missing"))));
}
