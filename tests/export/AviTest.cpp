#include "ExportTestSupport.h"

#include "export/AviSink.h"
#include "export/BmpFile.h"
#include "export/FrameFolder.h"
#include "export/VideoSave.h"
#include "export/cDIBSection.h"
#include "support/TempHome.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

// Frame files 1..count as the recording writes them: window-sized pictures
// that differ from frame to frame.
QStringList writeFrames(int count, QSize size = {799, 585})
{
    FrameFolder::ensureExists();
    const QImage base = testPicture(size.width(), size.height());
    for (int k = 1; k <= count; ++k) {
        QImage picture = base;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                picture.setPixel(200 + 5 * k + x, 300 + y, qRgb(0, 0, 255));
        cDIBSection dib;
        dib.CreateFromPicture(picture);
        EXPECT_TRUE(BmpFile::write(FrameFolder::framePath(k), dib).ok);
    }
    return FrameFolder::framePaths(count);
}

// SAVE's path for an AVI: the frames read into the sink, 11 a second.
FileResult saveAvi(const QString &file, const QStringList &frames, AviCodec codec,
                   const VideoProgress &progress = {}, const std::atomic_bool *cancel = nullptr,
                   int rate = RecordingRate::kFramesPerSecond)
{
    AviSink sink(codec, rate);
    return writeVideo({frames, rate}, sink, file, progress, cancel);
}

} // namespace

TEST(AviWriter, BothCodecsReadByAnIndependentTool)
{
    TempHome home;
    const QStringList frames = writeFrames(12);
    const QImage expected
        = testPicture(799, 585).scaled(800, 600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (const AviCodec codec : {AviCodec::Uncompressed, AviCodec::MotionJpeg}) {
        const QString avi = home.file(aviCodecName(codec) + ".avi");
        std::vector<int> percents;
        const FileResult r
            = saveAvi(avi, frames, codec, [&](int percent) { percents.push_back(percent); });
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_TRUE(r.message.isEmpty()); // no frame stood in for another
        EXPECT_EQ(percents.size(), 12u);
        EXPECT_EQ(percents.front(), 8);
        EXPECT_EQ(percents.back(), 100);

        const Probe p = probe(avi);
        EXPECT_EQ(p.codec, codec == AviCodec::MotionJpeg ? "mjpeg" : "rawvideo");
        EXPECT_EQ(p.size, "800x600");
        EXPECT_EQ(p.rate, "11/1");
        EXPECT_EQ(p.frames, 12);
        const QList<QImage> decoded = decodeAll(avi);
        ASSERT_EQ(decoded.size(), 12);
        // Stretched, right side up; the first frame's square is where it was drawn.
        const QImage &first = decoded.first();
        EXPECT_LT(meanDifference(first, expected), 3.0) << aviCodecName(codec).toStdString();
        EXPECT_LT(qRed(first.pixel(225, 330)), 60);
        EXPECT_GT(qBlue(first.pixel(225, 330)), 190);
    }
    EXPECT_EQ(QDir(home.path()).entryList({"*.avi"}, QDir::Files).size(), 2);
}

TEST(AviWriter, TheRateIsClampedAndNoFramesWriteNothing)
{
    TempHome home;
    const QStringList frames = writeFrames(2);
    const std::pair<int, const char *> rates[] = {{0, "1/1"}, {100, "64/1"}, {64, "64/1"}};
    for (const auto &[rate, shown] : rates) {
        const QString avi = home.file(QStringLiteral("rate%1.avi").arg(rate));
        const FileResult r = saveAvi(avi, frames, AviCodec::MotionJpeg, {}, nullptr, rate);
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_TRUE(r.message.isEmpty());
        const Probe p = probe(avi);
        EXPECT_EQ(p.rate, QString::fromLatin1(shown));
        EXPECT_EQ(p.size, "800x600");
        EXPECT_EQ(p.frames, 2);
        EXPECT_EQ(decodeAll(avi).size(), 2);
    }
    const QString empty = home.file("empty.avi");
    const FileResult r = saveAvi(empty, {}, AviCodec::MotionJpeg);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, noFramesMessage());
    EXPECT_FALSE(QFile::exists(empty));
}

TEST(AviWriter, UnreadableFramesAreReplacedByThePreviousOne)
{
    TempHome home;
    const QStringList frames = writeFrames(5);
    QFile::remove(frames.at(1));
    home.write("video/0004.bmp", "not a bitmap");
    const QString avi = home.file("gaps.avi");
    const FileResult r = saveAvi(avi, frames, AviCodec::Uncompressed);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.message, replacedFramesNotice(2));
    EXPECT_EQ(r.icon, MsgIcon::Information);
    EXPECT_EQ(probe(avi).frames, 5);
    const QList<QImage> decoded = decodeAll(avi);
    ASSERT_EQ(decoded.size(), 5);
    EXPECT_EQ(decoded[1], decoded[0]);
    EXPECT_NE(decoded[2], decoded[1]);
    EXPECT_EQ(decoded[3], decoded[2]);
    EXPECT_NE(decoded[4], decoded[3]);
    EXPECT_TRUE(replacedFramesNotice(0).isEmpty());
}

TEST(AviWriter, FailuresLeaveNoFileBehind)
{
    TempHome home;
    const QStringList frames = writeFrames(3);
    const QString avi = home.file("out.avi");

    // The first frame cannot be had.
    QStringList noFirst = frames;
    noFirst[0] = home.file("video/none.bmp");
    FileResult r = saveAvi(avi, noFirst, AviCodec::MotionJpeg);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.section(u'\n', 0, 0), "Could not load first bitmap file in list!");
    EXPECT_TRUE(r.message.contains(noFirst[0])) << r.message.toStdString();
    EXPECT_EQ(r.icon, MsgIcon::Exclamation);

    // The target cannot be written; the disk fills up midway. The message
    // names the file and the reason on its second line.
    const QString nowhere = home.file("missing/out.avi");
    r = saveAvi(nowhere, frames, AviCodec::MotionJpeg);
    EXPECT_EQ(r.icon, MsgIcon::Information);
    EXPECT_TRUE(r.message.startsWith("There was an error writing the file.\n" + nowhere + ": "))
        << r.message.toStdString();
    {
        const FileSizeLimit limit(2'000'000); // the video needs over 4 MB
        r = saveAvi(avi, frames, AviCodec::Uncompressed);
    }
    EXPECT_TRUE(r.message.startsWith("There was an error writing the file.\n" + avi + ": "))
        << r.message.toStdString();

    // Cancelled after the first frame: silent, and nothing is left.
    std::atomic_bool cancel = false;
    r = saveAvi(
        avi, frames, AviCodec::Uncompressed, [&](int) { cancel = true; }, &cancel);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.isEmpty()); // cancelled: silent
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(AviWriter, LongVideosContinueAsOpenDml)
{
    TempHome home;
    const QString avi = home.file("long.avi");
    AviSink sink(AviCodec::Uncompressed, RecordingRate::kFramesPerSecond);
    sink.setRiffLimit(4 * 1440000); // three 800 × 600 frames and their indexes per part
    const FileResult r = writeVideo({writeFrames(9)}, sink, avi);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    QFile f(avi);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("RIFF"), 3);
    EXPECT_EQ(bytes.count("AVIX"), 2);
    // The super index leads to one standard index per part, and those to
    // every frame chunk with its size.
    const char *b = bytes.constData();
    auto u32 = [&](qsizetype at) {
        return qFromLittleEndian<quint32>(b + at);
    };
    const qsizetype indx = bytes.indexOf("indx");
    ASSERT_GT(indx, 0);
    ASSERT_EQ(u32(indx + 12), 3u); // entries in use
    int frameChunks = 0;
    for (quint32 e = 0; e < 3; ++e) {
        const qsizetype entry = indx + 32 + 16 * e;
        const qsizetype ix = qsizetype(qFromLittleEndian<quint64>(b + entry));
        ASSERT_EQ(bytes.mid(ix, 4), QByteArray("ix00"));
        EXPECT_EQ(u32(entry + 8), u32(ix + 4) + 8); // the index chunk's size
        EXPECT_EQ(u32(entry + 12), u32(ix + 12));   // frames in it
        const qsizetype base = qsizetype(qFromLittleEndian<quint64>(b + ix + 20));
        for (quint32 i = 0; i < u32(ix + 12); ++i, ++frameChunks) {
            const qsizetype data = base + u32(ix + 32 + 8 * i);
            EXPECT_EQ(bytes.mid(data - 8, 4), QByteArray("00db"));
            EXPECT_EQ(u32(data - 4), 1440000u);
            EXPECT_EQ(u32(ix + 36 + 8 * i), 1440000u); // a key frame of that size
        }
    }
    EXPECT_EQ(frameChunks, 9);
    const Probe p = probe(avi);
    EXPECT_EQ(p.frames, 9);
    EXPECT_EQ(p.rate, "11/1");
    const QList<QImage> decoded = decodeAll(avi);
    ASSERT_EQ(decoded.size(), 9);
    EXPECT_NE(decoded[8], decoded[7]);
}
