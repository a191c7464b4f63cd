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
    home.write("Overviews/lagoon.png", pngBytes(4, 4));
    home.write("Overviews/notes.txt", "not a picture");
    home.write("Overviews/.hidden.png", pngBytes(4, 4));
    QDir(home.path()).mkpath("Overviews/folder");
    ASSERT_EQ(::mkfifo(QFile::encodeName(home.file("Overviews/pipe.png")), 0600), 0);
    ASSERT_EQ(Overview::catalogue(), (QStringList{"lagoon.png", "notes.txt"}));
    // Named anyway (an old strat file), a FIFO gives no picture instead of blocking.
    EXPECT_TRUE(Overview::load("pipe.png").isNull());
}

TEST(Overview, MissingFolderGivesAnEmptyCatalogue)
{
    test::TempHome home;
    QDir(home.file("Overviews")).removeRecursively();
    EXPECT_TRUE(Overview::catalogue().isEmpty());
}

TEST(Overview, LoadsPicturesByContentWhateverTheExtension)
{
    test::TempHome home;
    home.write("Overviews/map.bin", pngBytes(7, 5));
    home.write("Overviews/notes.txt", "not a picture");
    EXPECT_EQ(Overview::load("map.bin").size(), QSize(7, 5));
    // Padding blanks of the fixed-width name are ignored.
    EXPECT_EQ(Overview::load("map.bin      ").size(), QSize(7, 5));
    EXPECT_TRUE(Overview::load("notes.txt").isNull());
    EXPECT_TRUE(Overview::load("missing.png").isNull());
    EXPECT_TRUE(Overview::load(QString()).isNull());
}

TEST(Overview, NamesFromFilesNeverLeaveTheOverviewsFolder)
{
    test::TempHome home;
    home.write("outside.png", pngBytes(3, 3));
    home.write("Overviews/sub/inner.png", pngBytes(3, 3));
    EXPECT_TRUE(Overview::load("../outside.png").isNull());
    EXPECT_TRUE(Overview::load("..\\outside.png").isNull());
    EXPECT_TRUE(Overview::load(home.file("outside.png")).isNull());
    EXPECT_TRUE(Overview::load("sub/inner.png").isNull());
    EXPECT_TRUE(Overview::load("..").isNull());
    EXPECT_TRUE(Overview::path("../outside.png").isEmpty());
    EXPECT_FALSE(Overview::isPlainName("."));
    EXPECT_TRUE(Overview::isPlainName("de_x..png"));
}

TEST(CommandLine, CleanPathTrimsBlanksAndDeletesQuotes)
{
    EXPECT_EQ(CommandLine::cleanPath("  \"/tmp/a b/c.vtr\"  "), "/tmp/a b/c.vtr");
    EXPECT_EQ(CommandLine::cleanPath("/x/\"odd\".vtr"), "/x/odd.vtr");
    EXPECT_EQ(CommandLine::cleanPath("\"\""), QString());
}

} // namespace
} // namespace vantrel
