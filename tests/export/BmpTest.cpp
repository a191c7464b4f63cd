#include "ExportTestSupport.h"

#include "export/BmpFile.h"
#include "export/cDIBSection.h"
#include "export/cDib.h"
#include "support/TempHome.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

// The fields of a bitmap file written by hand; the defaults describe a valid
// 3 × 2 picture of 24 bits (rows of 12 bytes).
struct Header
{
    char type[2] = {'B', 'M'};
    uint32_t bfSize = 54 + 24;
    uint32_t bfOffBits = 54;
    uint32_t biSize = 40;
    int32_t biWidth = 3;
    int32_t biHeight = 2;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 24;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 24;
    uint32_t biClrUsed = 0;
    int pixelBytes = 24; // bytes really following the headers
};

QByteArray bitmapBytes(const Header &h)
{
    QByteArray b(54, '\0');
    char *p = b.data();
    p[0] = h.type[0];
    p[1] = h.type[1];
    qToLittleEndian(h.bfSize, p + 2);
    qToLittleEndian(h.bfOffBits, p + 10);
    qToLittleEndian(h.biSize, p + 14);
    qToLittleEndian(h.biWidth, p + 18);
    qToLittleEndian(h.biHeight, p + 22);
    qToLittleEndian(h.biPlanes, p + 26);
    qToLittleEndian(h.biBitCount, p + 28);
    qToLittleEndian(h.biCompression, p + 30);
    qToLittleEndian(h.biSizeImage, p + 34);
    qToLittleEndian(h.biClrUsed, p + 46);
    for (int i = 0; i < h.pixelBytes; ++i)
        b.append(char(i));
    return b;
}

QString unsupported(const QString &path)
{
    return QStringLiteral("File is not a supported bitmap format:\n") + path;
}

} // namespace

TEST(Bitmap, WrittenFramesReadBackWholeAndRightSideUp)
{
    TempHome home;
    const QImage picture = testPicture(799, 585);
    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(picture));
    const QString path = home.file(QStringLiteral("frame.bmp"));
    ASSERT_TRUE(BmpFile::write(path, dib).ok);

    cDib read;
    ASSERT_TRUE(read.CreateFromFile(path).ok);
    // Rows of 799 pixels are padded to 2400 bytes.
    EXPECT_EQ(read.SizeFileHeader(), 54u + 2400u * 585u);
    EXPECT_EQ(read.SizeImage(), 2400u * 585u);
    EXPECT_EQ(0, memcmp(read.PointerToBits(), dib.DIBSectionBitsPtr(), size_t(dib.sizeImage())));
    // Another reader agrees: the file is a proper bitmap.
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(read.toImage().convertToFormat(QImage::Format_RGB32), picture);
}

TEST(Bitmap, ReaderMessages)
{
    TempHome home;
    cDib dib;
    const QString missing = home.file(QStringLiteral("none.bmp"));
    FileResult r = dib.CreateFromFile(missing);
    EXPECT_EQ(r.message, QStringLiteral("File does not exist:\n") + missing);
    EXPECT_EQ(r.icon, MsgIcon::Critical);

    const QString png = home.write(QStringLiteral("picture.bmp"), "\x89PNG\r\n\x1a\n and more");
    r = dib.CreateFromFile(png);
    EXPECT_EQ(r.message, unsupported(png));
    EXPECT_EQ(r.icon, MsgIcon::Information);
    EXPECT_TRUE(dib.isNull());

    // A folder cannot be read as a file: the system's own description.
    r = dib.CreateFromFile(home.path());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_FALSE(r.message.startsWith(QStringLiteral("File ")));

    if (geteuid() != 0) { // root reads any file
        const QString locked = home.write(QStringLiteral("locked.bmp"), bitmapBytes({}));
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        r = dib.CreateFromFile(locked);
        EXPECT_EQ(r.message, QStringLiteral("File is locked - cannot access:\n") + locked);
        EXPECT_EQ(r.icon, MsgIcon::Critical);
    }
}

TEST(Bitmap, LyingHeadersAreRefusedBeforeAnythingIsAllocated)
{
    // Each lie as a change to a valid header.
    const std::pair<void (*)(Header &), const char *> lies[] = {
        {[](Header &h) { h.type[1] = 'A'; }, "not BM"},
        {[](Header &h) { h.pixelBytes = 23; }, "pixels cut short"},
        {[](Header &h) { h.biSizeImage = 0x7FFFFFF0; }, "size image past the end"},
        {[](Header &h) { h.biSizeImage = 12; }, "size image smaller than the rows"},
        {[](Header &h) { h.biWidth = 0x7FFFFFFF; }, "huge width"},
        {[](Header &h) { h.biHeight = 0x40000000, h.biSizeImage = 0; }, "huge height, size 0"},
        {[](Header &h) {
             h.biWidth = h.biHeight = INT32_MAX, h.biBitCount = 32, h.biSizeImage = 0;
         },
         "rows past 63 bits"},
        {[](Header &h) { h.biWidth = 0; }, "zero width"},
        {[](Header &h) { h.biWidth = -3; }, "negative width"},
        {[](Header &h) { h.biHeight = 0; }, "zero height"},
        {[](Header &h) { h.biHeight = INT32_MIN; }, "smallest height"},
        {[](Header &h) { h.bfOffBits = 0xFFFFFFF0; }, "offset past the end"},
        {[](Header &h) { h.bfOffBits = 20; }, "offset inside the header"},
        {[](Header &h) { h.biSize = 12; }, "info header too small"},
        {[](Header &h) { h.biSize = 0xFFFF0000; }, "info header too large"},
        {[](Header &h) { h.biPlanes = 2; }, "two planes"},
        {[](Header &h) { h.biBitCount = 7; }, "odd bit count"},
        {[](Header &h) { h.biCompression = 1; }, "run-length compressed"},
        {[](Header &h) { h.biCompression = 4; }, "JPEG inside"},
        {[](Header &h) { h.bfSize = 1000; }, "file size past the end"},
        {[](Header &h) { h.biBitCount = 8, h.biClrUsed = 256; }, "palette without room"},
        {[](Header &h) { h.biBitCount = 1, h.biClrUsed = 3; }, "more colours than the depth"},
        {[](Header &h) { h.pixelBytes = 0, h.bfSize = 0; }, "header only"},
    };
    TempHome home;
    for (const auto &[lie, what] : lies) {
        Header h;
        lie(h);
        const QString path = home.write(QStringLiteral("lie.bmp"), bitmapBytes(h));
        cDib dib;
        EXPECT_EQ(dib.CreateFromFile(path).message, unsupported(path)) << what;
        EXPECT_TRUE(dib.isNull()) << what;
    }
    const QString tiny = home.write(QStringLiteral("tiny.bmp"), "BM");
    EXPECT_EQ(cDib().CreateFromFile(tiny).message, unsupported(tiny));
}

TEST(Bitmap, SizeImageZeroIsComputedAndOtherDepthsRead)
{
    TempHome home;
    Header h;
    h.biSizeImage = 0;
    h.bfSize = 0;
    cDib dib;
    ASSERT_TRUE(dib.CreateFromFile(home.write(QStringLiteral("a.bmp"), bitmapBytes(h))).ok);
    EXPECT_EQ(dib.SizeImage(), 24u);
    EXPECT_EQ(dib.stride(), 12);

    // 8 bits with a two-colour table, top-down: the picture comes out right.
    Header g;
    g.biBitCount = 8;
    g.biClrUsed = 2;
    g.biHeight = -2;
    g.bfOffBits = 54 + 8;
    g.biSizeImage = 8;
    g.bfSize = 54 + 8 + 8;
    g.pixelBytes = 0;
    QByteArray bytes = bitmapBytes(g);
    bytes += QByteArray("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8); // black, white
    bytes += QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00", 8); // top row starts white
    ASSERT_TRUE(dib.CreateFromFile(home.write(QStringLiteral("b.bmp"), bytes)).ok);
    EXPECT_EQ(dib.SizeBitmapInfo(), 48u);
    const QImage image = dib.toImage();
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 0));
}
