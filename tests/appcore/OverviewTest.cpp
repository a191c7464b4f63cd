#include "appcore/Overview.h"
#include "appcore/CommandLine.h"
#include "support/TempHome.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vantrel {
namespace {

QByteArray pngBytes(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

TEST(Overview, CatalogueListsPlainFilesOnly)
{
    test::TempHome home;
    home.write(QStringLiteral("Overviews/lagoon.png"), pngBytes(4, 4));
    home.write(QStringLiteral("Overviews/notes.txt"), "not a picture");
    home.write(QStringLiteral("Overviews/.hidden.png"), pngBytes(4, 4));
    QDir(home.path()).mkpath(QStringLiteral("Overviews/folder"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(home.file(QStringLiteral("Overviews/pipe.png"))), 0600),
              0);
    ASSERT_EQ(Overview::catalogue(),
              (QStringList{QStringLiteral("lagoon.png"), QStringLiteral("notes.txt")}));
    // Named anyway (an old strat file), a FIFO gives no picture instead of blocking.
    EXPECT_TRUE(Overview::load(QStringLiteral("pipe.png")).isNull());
}

TEST(Overview, MissingFolderGivesAnEmptyCatalogue)
{
    test::TempHome home;
    QDir(home.file(QStringLiteral("Overviews"))).removeRecursively();
    EXPECT_TRUE(Overview::catalogue().isEmpty());
}

TEST(Overview, LoadsPicturesByContentWhateverTheExtension)
{
    test::TempHome home;
    home.write(QStringLiteral("Overviews/map.bin"), pngBytes(7, 5));
    home.write(QStringLiteral("Overviews/notes.txt"), "not a picture");
    EXPECT_EQ(Overview::load(QStringLiteral("map.bin")).size(), QSize(7, 5));
    // Padding blanks of the fixed-width name are ignored.
    EXPECT_EQ(Overview::load(QStringLiteral("map.bin      ")).size(), QSize(7, 5));
    EXPECT_TRUE(Overview::load(QStringLiteral("notes.txt")).isNull());
    EXPECT_TRUE(Overview::load(QStringLiteral("missing.png")).isNull());
    EXPECT_TRUE(Overview::load(QString()).isNull());
}

TEST(Overview, NamesFromFilesNeverLeaveTheOverviewsFolder)
{
    test::TempHome home;
    home.write(QStringLiteral("outside.png"), pngBytes(3, 3));
    home.write(QStringLiteral("Overviews/sub/inner.png"), pngBytes(3, 3));
    EXPECT_TRUE(Overview::load(QStringLiteral("../outside.png")).isNull());
    EXPECT_TRUE(Overview::load(QStringLiteral("..\\outside.png")).isNull());
    EXPECT_TRUE(Overview::load(home.file(QStringLiteral("outside.png"))).isNull());
    EXPECT_TRUE(Overview::load(QStringLiteral("sub/inner.png")).isNull());
    EXPECT_TRUE(Overview::load(QStringLiteral("..")).isNull());
    EXPECT_TRUE(Overview::path(QStringLiteral("../outside.png")).isEmpty());
    EXPECT_FALSE(Overview::isPlainName(QStringLiteral(".")));
    EXPECT_TRUE(Overview::isPlainName(QStringLiteral("de_x..png")));
}

TEST(CommandLine, CleanPathTrimsBlanksAndDeletesQuotes)
{
    EXPECT_EQ(CommandLine::cleanPath(QStringLiteral("  \"/tmp/a b/c.vtr\"  ")),
              QStringLiteral("/tmp/a b/c.vtr"));
    EXPECT_EQ(CommandLine::cleanPath(QStringLiteral("/x/\"odd\".vtr")),
              QStringLiteral("/x/odd.vtr"));
    EXPECT_EQ(CommandLine::cleanPath(QStringLiteral("\"\"")), QString());
}

} // namespace
} // namespace vantrel
