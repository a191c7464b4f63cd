#include "export/FrameFolder.h"
#include "export/FrameRecorder.h"
#include "export/RecordingVideo.h"

#include "ExportTestSupport.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

// A window picture that tells which frame it shows by its colour.
QImage pictureOfFrame(int frame)
{
    QImage image(799, 585, QImage::Format_RGB32);
    image.fill(qRgb(frame % 256, frame / 256, 77));
    return image;
}

int frameShownBy(const QString &bitmap)
{
    const QImage image(bitmap);
    if (image.isNull())
        return -1;
    const QRgb p = image.pixel(400, 300);
    return qRed(p) + 256 * qGreen(p);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(FrameFolder, NamesGrowPastFourDigits)
{
    EXPECT_EQ(FrameFolder::frameFileName(10000), QStringLiteral("10000.bmp"));
}

TEST(FrameRecorder, EveryNinthFrameFromFrameOne)
{
    TempHome home;
    home.write(QStringLiteral("video/0013.bmp"), "left from an unsaved recording");
    FrameRecorder recorder;
    int captures = 0;
    int32_t frame = 0;
    const FrameRecorder::Capture capture = [&] {
        ++captures;
        return pictureOfFrame(frame);
    };
    // Not recording: ticks capture nothing.
    EXPECT_TRUE(recorder.frameTick(1, capture).ok);
    EXPECT_EQ(captures, 0);

    recorder.start();
    EXPECT_TRUE(filesIn(FrameFolder::path()).isEmpty());
    for (frame = 1; frame <= 100; ++frame)
        ASSERT_TRUE(recorder.frameTick(frame, capture).ok);
    recorder.stop();
    EXPECT_EQ(recorder.lCaptura(), 12);
    EXPECT_EQ(captures, 12);
    EXPECT_EQ(recorder.sArqQuadro(), FrameFolder::framePath(12));
    const QStringList files = filesIn(FrameFolder::path());
    ASSERT_EQ(files.size(), 12);
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(files.at(k - 1), FrameFolder::frameFileName(k));
        EXPECT_EQ(frameShownBy(FrameFolder::framePath(k)), 9 * k - 8) << k;
    }
    // After the stop, further ticks record nothing.
    EXPECT_TRUE(recorder.frameTick(109, capture).ok);
    EXPECT_EQ(captures, 12);

    // A new recording starts empty; a start and stop without frames leaves none.
    recorder.start();
    recorder.stop();
    EXPECT_EQ(recorder.lCaptura(), 0);
    EXPECT_TRUE(filesIn(FrameFolder::path()).isEmpty());
}

TEST(FrameRecorder, AFailedCaptureStillCountsAndSaysWhere)
{
    TempHome home;
    FrameRecorder recorder;
    recorder.start();
    const ExportResult r = recorder.frameTick(1, [] { return QImage(); });
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith(FrameFolder::framePath(1)));
    EXPECT_EQ(recorder.lCaptura(), 1);
    EXPECT_EQ(recorder.lProxCaptura(), 10);
    EXPECT_FALSE(QFile::exists(FrameFolder::framePath(1)));
}

// Full motion captures every frame; the recorded frames then go out as MP4 or
// GIF at the pace of the playback: 64 captured frames a second written at 64,
// or every second one at 32.
TEST(FrameRecorder, FullMotionIsEveryFrameWrittenAsMp4OrGif)
{
    TempHome home;
    FrameRecorder recorder;
    recorder.setFullMotion(true);
    EXPECT_EQ(recorder.capturedRate(), 64);
    int32_t frame = 0;
    const FrameRecorder::Capture capture = [&] {
        return pictureOfFrame(frame);
    };
    // A GIF at 64 frames a second is written at 32, as browsers play no faster.
    const struct
    {
        bool fullMotion;
        VideoCodec codec;
        int frameRate;
        QSize size;
        const char *name;
        double rate; // as ffprobe reads it: a GIF's delays are in 1/100 s
        int frames;
    } cases[] = {
        {false, VideoCodec::H264, 11, {800, 600}, "h264", 11, 8},
        {false, VideoCodec::Gif, 11, {400, 300}, "gif", 11, 8},
        {true, VideoCodec::H264, 64, {800, 600}, "h264", 64, 64},
        {true, VideoCodec::H264, 32, {800, 600}, "h264", 32, 32},
        {true, VideoCodec::Gif, 32, {800, 600}, "gif", 32, 32},
        {true, VideoCodec::Gif, 64, {400, 300}, "gif", 32, 32},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1 at %2").arg(QLatin1String(c.name)).arg(c.frameRate).toStdString());
        recorder.setFullMotion(c.fullMotion);
        recorder.start();
        for (frame = 1; frame <= 64; ++frame)
            ASSERT_TRUE(recorder.frameTick(frame, capture).ok);
        recorder.stop();
        ASSERT_EQ(recorder.lCaptura(), c.fullMotion ? 64 : 8);
        if (c.fullMotion) {
            EXPECT_EQ(frameShownBy(FrameFolder::framePath(40)), 40);
        }

        VideoDescription d;
        d.codec = c.codec;
        d.frameRate = c.frameRate;
        d.size = c.size;
        d.preset = QStringLiteral("veryfast");
        int percent = -1;
        const RecordingVideoResult r
            = saveRecordingVideo(home.file(QStringLiteral("clip")), recorder.lCaptura(),
                                 recorder.capturedRate(), d, [&](int p) { percent = p; });
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(r.replacedFrames, 0);
        EXPECT_EQ(percent, 100);
        EXPECT_TRUE(filesIn(FrameFolder::path()).isEmpty()) << "the frames go after a save";
        const QString written
            = home.file(QStringLiteral("clip") + VideoEncoder::extension(c.codec));
        const Probe p = probe(written);
        EXPECT_EQ(p.codec, QLatin1String(c.name));
        EXPECT_EQ(p.size, QStringLiteral("%1x%2").arg(c.size.width()).arg(c.size.height()));
        const QStringList rate = p.rate.split(u'/');
        ASSERT_EQ(rate.size(), 2);
        EXPECT_NEAR(rate[0].toDouble() / rate[1].toDouble(), c.rate, 0.1 * c.rate);
        EXPECT_EQ(p.frames, c.frames);
        const QList<QImage> decoded = decodeAll(written);
        ASSERT_EQ(decoded.size(), c.frames);
        EXPECT_EQ(decoded.last().size(), c.size);
        QFile::remove(written);
    }
}

TEST(FrameRecorder, VideoNamesFollowTheCodec)
{
    EXPECT_EQ(videoFileName(QStringLiteral("plan"), VideoCodec::H264), QStringLiteral("plan.mp4"));
    EXPECT_EQ(videoFileName(QStringLiteral("plan.GIF"), VideoCodec::Gif),
              QStringLiteral("plan.GIF"));
    EXPECT_EQ(videoFileName(QStringLiteral("plan.gif"), VideoCodec::H264),
              QStringLiteral("plan.mp4"));
    EXPECT_EQ(videoFileName(QStringLiteral("plan.AVI"), VideoCodec::Gif),
              QStringLiteral("plan.gif"));
    EXPECT_EQ(nameWithExtension(QStringLiteral("plan.mp4"), QStringLiteral(".avi")),
              QStringLiteral("plan.avi"));
    EXPECT_EQ(videoFileName(QStringLiteral("a.b"), VideoCodec::Gif), QStringLiteral("a.b.gif"));
}
