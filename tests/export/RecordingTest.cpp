#include "export/FrameFolder.h"
#include "export/FrameRecorder.h"
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
