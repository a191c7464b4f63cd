#include "export/AviSink.h"
#include "export/EncoderSink.h"
#include "export/FrameFolder.h"
#include "export/FrameRecorder.h"
#include "export/VideoSave.h"

#include "ExportTestSupport.h"
#include "support/FullDisk.h"
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

    ASSERT_TRUE(recorder.start().ok);
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

TEST(FrameRecorder, AFrameThatCannotBeWrittenEndsTheRecording)
{
    TempHome home;
    FrameRecorder recorder;
    ASSERT_TRUE(recorder.start().ok);
    ASSERT_TRUE(recorder.frameTick(1, [] { return pictureOfFrame(1); }).ok);
    const FileResult r = recorder.frameTick(10, [] { return QImage(); });
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith(FrameFolder::framePath(2))) << r.message.toStdString();
    EXPECT_FALSE(recorder.bGravando());
    EXPECT_EQ(recorder.lCaptura(), 1);
    EXPECT_FALSE(QFile::exists(FrameFolder::framePath(2)));
}

// On a real file system that fills up: a recording without room for a second
// of frames does not start, and one that runs out stops at the first frame
// that does not fit, naming the reason and the folder, its frames whole.
TEST(FrameRecorder, AFullDiskStopsTheRecordingWithTheReason)
{
    TempHome home;
    for (const char *size : {"size=4m", "size=24m"}) {
        SCOPED_TRACE(size);
        const bool small = size[5] == '4';
        FullDisk disk(size);
        if (!disk.mounted())
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        FrameFolder::setScratchFolder(disk.path());
        const QString noRoom = FrameFolder::path() + QStringLiteral(": No space left on device");
        FrameRecorder recorder;
        const FileResult started = recorder.start();
        if (small) {
            EXPECT_FALSE(started.ok);
            EXPECT_EQ(started.message, noRoom);
            EXPECT_FALSE(recorder.bGravando());
        } else {
            ASSERT_TRUE(started.ok) << started.message.toStdString();
            FileResult r = FileResult::success();
            int32_t frame = 1;
            for (; frame <= 500 && r.ok; ++frame)
                r = recorder.frameTick(frame, [frame] { return pictureOfFrame(frame); });
            EXPECT_EQ(r.message, noRoom);
            EXPECT_FALSE(recorder.bGravando());
            const int k = recorder.lCaptura();
            EXPECT_GT(k, 10);
            EXPECT_EQ(frame - 1, 9 * k + 1); // stopped at the first that did not fit
            EXPECT_EQ(filesIn(FrameFolder::path()).size(), k);
            EXPECT_EQ(frameShownBy(FrameFolder::framePath(k)), 9 * k - 8);
        }
        FrameFolder::setScratchFolder(QString());
    }
}

// Every format SAVE offers, from a recording of 64 frames: AVI, MP4 and GIF
// play at the pace of the recording (11 frames a second, or 64 in full motion,
// which MP4 and GIF may thin to 32), and the frames stay for another save.
TEST(VideoSave, EveryFormatPlaysAtThePaceOfTheRecording)
{
    TempHome home;
    FrameRecorder recorder;
    int32_t frame = 0;
    const FrameRecorder::Capture capture = [&] {
        return pictureOfFrame(frame);
    };
    auto encoded = [](VideoCodec codec, int rate, QSize size) {
        VideoDescription d;
        d.codec = codec;
        d.frameRate = rate;
        d.size = size;
        d.preset = QStringLiteral("veryfast");
        return std::make_unique<EncoderSink>(d);
    };
    // A GIF's delays are in 1/100 s, so ffprobe reads its rate near, not
    // exact; a GIF at 64 frames a second is written at 32, as browsers play
    // no faster.
    const struct
    {
        bool fullMotion;
        std::function<std::unique_ptr<VideoSink>()> sink;
        const char *name;
        QSize size;
        double rate;
        int frames;
    } cases[] = {
        {false,
         [] { return std::make_unique<AviSink>(AviCodec::Uncompressed, 11); },
         "rawvideo",
         {800, 600},
         11,
         8},
        {false,
         [] { return std::make_unique<AviSink>(AviCodec::MotionJpeg, 11); },
         "mjpeg",
         {800, 600},
         11,
         8},
        {true,
         [] { return std::make_unique<AviSink>(AviCodec::MotionJpeg, 64); },
         "mjpeg",
         {800, 600},
         64,
         64},
        {false,
         [&] {
             return encoded(VideoCodec::H264, 11, {800, 600});
         },
         "h264",
         {800, 600},
         11,
         8},
        {false,
         [&] {
             return encoded(VideoCodec::Gif, 11, {400, 300});
         },
         "gif",
         {400, 300},
         11,
         8},
        {true,
         [&] {
             return encoded(VideoCodec::H264, 64, {800, 600});
         },
         "h264",
         {800, 600},
         64,
         64},
        {true,
         [&] {
             return encoded(VideoCodec::H264, 32, {800, 600});
         },
         "h264",
         {800, 600},
         32,
         32},
        {true,
         [&] {
             return encoded(VideoCodec::Gif, 32, {800, 600});
         },
         "gif",
         {800, 600},
         32,
         32},
        {true,
         [&] {
             return encoded(VideoCodec::Gif, 64, {400, 300});
         },
         "gif",
         {400, 300},
         32,
         32},
    };
    for (const auto &c : cases) {
        const std::unique_ptr<VideoSink> sink = c.sink();
        SCOPED_TRACE(QStringLiteral("%1 at %2")
                         .arg(QLatin1String(c.name))
                         .arg(sink->frameRate())
                         .toStdString());
        recorder.setFullMotion(c.fullMotion);
        ASSERT_TRUE(recorder.start().ok);
        for (frame = 1; frame <= 64; ++frame)
            ASSERT_TRUE(recorder.frameTick(frame, capture).ok);
        recorder.stop();
        ASSERT_EQ(recorder.lCaptura(), c.fullMotion ? 64 : 8);

        const QString written = videoFileName(home.file(QStringLiteral("clip")), *sink);
        int percent = -1;
        const FileResult r = writeVideo(
            RecordedFrames::inFrameFolder(recorder.lCaptura(), recorder.capturedRate()), *sink,
            written, [&](int p) { percent = p; });
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_TRUE(r.message.isEmpty());
        EXPECT_EQ(percent, 100);
        EXPECT_EQ(filesIn(FrameFolder::path()).size(), recorder.lCaptura()) << "frames are kept";
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

TEST(VideoSave, NamesFollowTheFormat)
{
    const AviSink avi(AviCodec::MotionJpeg, 11);
    const EncoderSink mp4({{}, VideoCodec::H264});
    const EncoderSink gif({{}, VideoCodec::Gif});
    EXPECT_EQ(videoFileName(QStringLiteral("plan"), mp4), QStringLiteral("plan.mp4"));
    EXPECT_EQ(videoFileName(QStringLiteral("plan.GIF"), gif), QStringLiteral("plan.GIF"));
    EXPECT_EQ(videoFileName(QStringLiteral("plan.gif"), mp4), QStringLiteral("plan.mp4"));
    EXPECT_EQ(videoFileName(QStringLiteral("plan.AVI"), gif), QStringLiteral("plan.gif"));
    EXPECT_EQ(videoFileName(QStringLiteral("plan.mp4"), avi), QStringLiteral("plan.avi"));
    EXPECT_EQ(videoFileName(QStringLiteral("run.AVI"), avi), QStringLiteral("run.AVI"));
    EXPECT_EQ(videoFileName(QStringLiteral("a.b"), gif), QStringLiteral("a.b.gif"));
}
