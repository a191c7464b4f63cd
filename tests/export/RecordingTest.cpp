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

// Which frames become which files is the strat window's recording test;
// here, what the recorder does around a recording.
TEST(FrameRecorder, CapturesOnlyWhileRecordingAndStartsEmpty)
{
    TempHome home;
    home.write(QStringLiteral("video/0013.bmp"), "left from an unsaved recording");
    FrameRecorder recorder;
    int captures = 0;
    const FrameRecorder::Capture capture = [&] {
        ++captures;
        return pictureOfFrame(1);
    };
    EXPECT_TRUE(recorder.frameTick(1, capture).ok);
    ASSERT_TRUE(recorder.start().ok);
    EXPECT_TRUE(filesIn(FrameFolder::path()).isEmpty());
    for (int32_t frame = 1; frame <= 10; ++frame)
        ASSERT_TRUE(recorder.frameTick(frame, capture).ok);
    recorder.stop();
    EXPECT_TRUE(recorder.frameTick(19, capture).ok);
    EXPECT_EQ(captures, 2);
    EXPECT_EQ(recorder.sArqQuadro(), FrameFolder::framePath(2));
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
