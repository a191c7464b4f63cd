#include "ExportTestSupport.h"

#include "export/FileNames.h"
#include "export/ImageExport.h"
#include "export/JpegWriter.h"
#include "export/cDIBSection.h"
#include "support/TempHome.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DibSection, RowsArePaddedBottomUpBgr)
{
    cDIBSection dib;
    EXPECT_FALSE(dib.Create(0, 5));
    EXPECT_FALSE(dib.CreateFromPicture(QImage()));
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 0));
    picture.setPixel(0, 0, qRgb(10, 20, 30)); // top left
    picture.setPixel(2, 1, qRgb(40, 50, 60)); // bottom right
    ASSERT_TRUE(dib.CreateFromPicture(picture));
    EXPECT_EQ(dib.BytesPerScanLine(), 12);
    EXPECT_EQ(dib.rowPadding(), 3);
    const uint8_t *bits = dib.DIBSectionBitsPtr();
    // The first row in memory is the bottom one; pixels are blue, green, red.
    EXPECT_EQ((std::vector<int>{bits[6], bits[7], bits[8]}), (std::vector<int>{60, 50, 40}));
    EXPECT_EQ((std::vector<int>{bits[12], bits[13], bits[14]}), (std::vector<int>{30, 20, 10}));
    EXPECT_EQ(dib.toImage().convertToFormat(QImage::Format_RGB32), picture);

    // A width and height of -1 copy the DIB's whole size; a rectangle is taken
    // from its place in the source.
    cDIBSection part;
    ASSERT_TRUE(part.Create(2, 1));
    part.LoadPictureBlt(picture, 1, 1);
    EXPECT_EQ(part.toImage().pixel(1, 0), qRgb(40, 50, 60));
    part.ClearUp();
    EXPECT_TRUE(part.isNull());
}

TEST(JpegExport, NameRule)
{
    const std::pair<const char *, const char *> cases[] = {
        {"plan", "plan.jpg"},
        {"plan.jpg", "plan.jpg"},
        {"plan.JPG", "plan.JPG"},
        {"plan.Jpg", "plan.Jpg"},
        {"plan.jpeg", "plan.jpeg.jpg"},
        {"plan.png", "plan.png.jpg"},
        {"jpg", "jpg.jpg"},
        {".jpg", ".jpg"},
    };
    for (const auto &[typed, saved] : cases)
        EXPECT_EQ(FileNames::withJpgExtension(QString::fromUtf8(typed)), QString::fromUtf8(saved));
    EXPECT_EQ(FileNames::withAviExtension(QStringLiteral("run.AVI")), QStringLiteral("run.AVI"));
    EXPECT_EQ(FileNames::withAviExtension(QStringLiteral("run")), QStringLiteral("run.avi"));
}

TEST(JpegExport, DecodesRightSideUpWithinJpegTolerance)
{
    TempHome home;
    const QImage picture = testPicture();
    const FileResult written = exportImage(picture, home.file(QStringLiteral("strat")));
    ASSERT_TRUE(written.ok) << written.message.toStdString();
    const QString path = home.file(QStringLiteral("strat.jpg"));

    const QImage decoded = decodedByDjpeg(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(decoded.size(), QSize(799, 585));
    EXPECT_LT(meanDifference(decoded, picture), 2.0);
    // The red block is still top left, well inside it and well outside it.
    EXPECT_LT(largestDifference(decoded.copy(20, 20, 150, 100), picture.copy(20, 20, 150, 100)),
              12);
    EXPECT_LT(largestDifference(decoded.copy(600, 400, 150, 150), picture.copy(600, 400, 150, 150)),
              12);
}

TEST(JpegExport, ReplacingKeepsTimesAndPermissions)
{
    TempHome home;
    const QString path = home.write(QStringLiteral("old.jpg"), "old contents");
    const QDateTime modified = QDateTime::fromSecsSinceEpoch(1'000'000'000);
    const QDateTime accessed = QDateTime::fromSecsSinceEpoch(1'100'000'000);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(modified, QFileDevice::FileModificationTime);
        f.setFileTime(accessed, QFileDevice::FileAccessTime);
    }
    const auto permissions
        = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));

    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(testPicture(64, 48)));
    ASSERT_TRUE(JpegWriter::write(dib, path).ok);
    // Times first: reading the file may move its access time.
    const QFileInfo info(path);
    EXPECT_EQ(info.lastModified(), modified);
    EXPECT_EQ(info.lastRead(), accessed);
    constexpr int kOwnerGroupOther = 0xF0FF; // without the "current user" bits
    EXPECT_EQ(info.permissions() & kOwnerGroupOther, permissions);
    EXPECT_TRUE(readAll(path).startsWith("\xFF\xD8"));
    // A new file gets today's times.
    const QString fresh = home.file(QStringLiteral("new.jpg"));
    ASSERT_TRUE(JpegWriter::write(dib, fresh).ok);
    EXPECT_GT(QFileInfo(fresh).lastModified(), modified);
}

TEST(JpegExport, FailedWriteKeepsTheOldFileAndSaysWhy)
{
    TempHome home;
    const QByteArray old(3000, 'x');
    const QString path = home.write(QStringLiteral("old.jpg"), old);
    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(testPicture()));
    FileResult result;
    {
        const FileSizeLimit limit(4096); // the JPEG is far larger
        result = JpegWriter::write(dib, path);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.startsWith(path + QStringLiteral(": ")))
        << result.message.toStdString();
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.jpg")});

    const QString nowhere = home.file(QStringLiteral("missing/strat.jpg"));
    result = exportImage(testPicture(), nowhere);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.startsWith(nowhere + QStringLiteral(": ")));
    EXPECT_FALSE(QFileInfo::exists(nowhere));

    EXPECT_FALSE(JpegWriter::write(cDIBSection(), home.file(QStringLiteral("empty.jpg"))).ok);
}
