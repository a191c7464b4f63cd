// Recording in the strat window: the frames captured at the end of the frame
// tick, the run started and stopped by Exporta_Video, and the keys left out.
#include "EditorFixture.h"

#include "editor/StratRecording.h"
#include "export/ExportTestSupport.h"
#include "export/FrameFolder.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <functional>

namespace vantrel::test {
namespace {

class Recording : public EditorFixture
{
protected:
    void SetUp() override
    {
        const int16_t p = place(1, 1500, 1500);
        addPointFor(p, 9000, 6000);
    }
    QWidget *picHide() { return map().findChild<QWidget *>(QStringLiteral("picHide")); }
    void ticks(int n)
    {
        for (int k = 0; k < n; ++k)
            map().playback().step();
    }
};

TEST_F(Recording, HundredFramesLeaveTwelveFilesOfFramesOneTenToHundred)
{
    map().Exporta_Video();
    ASSERT_TRUE(map().bGravando());
    EXPECT_FALSE(map().playback().isStopped());
    EXPECT_TRUE(picHide()->isVisibleTo(&map()));
    for (int frame = 1; frame <= 100; ++frame) {
        map().playback().step();
        if ((frame - 1) % 9 == 0) {
            const int k = (frame + 8) / 9;
            const QImage file(FrameFolder::framePath(k));
            ASSERT_FALSE(file.isNull()) << k;
            EXPECT_EQ(
                largestDifference(file.convertToFormat(QImage::Format_RGB32), map().capture()), 0)
                << "file " << k << " is not frame " << frame;
        }
    }
    EXPECT_EQ(map().recording().recorder().lCaptura(), 12);
    EXPECT_FALSE(QFile::exists(FrameFolder::framePath(13)));

    int stopped = 0;
    QObject::connect(&map(), &frmMapa::recordingStopped, [&stopped] { ++stopped; });
    map().Exporta_Video();
    EXPECT_EQ(stopped, 1);
    EXPECT_FALSE(map().bGravando());
    EXPECT_TRUE(map().playback().isStopped());
    EXPECT_FALSE(picHide()->isVisibleTo(&map()));
    EXPECT_TRUE(QFile::exists(FrameFolder::framePath(12)));
}

// REC starts the run from frame 0 whatever state the window is in, and a new
// recording replaces the frames of the one before.
TEST_F(Recording, StartsFromFrameZeroInEveryStateAndEmptiesOldFrames)
{
    map().Exporta_Video();
    ticks(19);
    map().Exporta_Video();
    ASSERT_TRUE(QFile::exists(FrameFolder::framePath(3)));

    const struct
    {
        const char *state;
        std::function<void(frmMapa &)> reach;
    } states[] = {
        {"stopped",
         [](frmMapa &) {
         }},
        {"running",
         [this](frmMapa &w) {
             w.picGO_Click(), ticks(5);
         }},
        {"paused",
         [this](frmMapa &w) {
             w.picGO_Click(), ticks(7), w.picPause_Click();
         }},
        {"paused at 0 by the slider",
         [](frmMapa &w) {
             w.playback().seekTo(0);
         }},
        {"paused at 30 by the slider",
         [](frmMapa &w) {
             w.playback().seekTo(30);
         }},
    };
    for (const auto &s : states) {
        SCOPED_TRACE(s.state);
        if (!map().playback().isStopped())
            map().picGO_Click();
        s.reach(map());
        map().Exporta_Video();
        EXPECT_TRUE(map().bGravando());
        EXPECT_EQ(map().playback().frame(), 0);
        EXPECT_FALSE(map().playback().isStopped());
        EXPECT_FALSE(map().playback().isPaused());
        EXPECT_FALSE(QFile::exists(FrameFolder::framePath(1)));
        ticks(10);
        EXPECT_EQ(map().recording().recorder().lCaptura(), 2);
        EXPECT_FALSE(QFile::exists(FrameFolder::framePath(3)));
        map().Exporta_Video();
    }
}

// Capturing frames leaves the window's own repaint alone: what is on screen
// after a recorded run is what a full repaint draws, with no stale icons.
TEST_F(Recording, CapturingLeavesNoGhostsOnScreen)
{
    map().show();
    for (int n = 0; n < 100 && !map().windowHandle()->isExposed(); ++n)
        QCoreApplication::processEvents();
    ASSERT_TRUE(map().windowHandle()->isExposed());
    auto onScreen = [this] {
        QCoreApplication::processEvents();
        return QGuiApplication::primaryScreen()->grabWindow(map().winId()).toImage();
    };
    onScreen();
    map().Exporta_Video();
    for (int frame = 1; frame <= 40; ++frame) {
        map().playback().step();
        onScreen();
    }
    const QImage shown = onScreen();
    map().repaint();
    EXPECT_EQ(largestDifference(shown, onScreen()), 0);
    map().Exporta_Video();
}

TEST_F(Recording, KeysAreIgnoredAndStopAfterAManualStopPlaysWithoutRecording)
{
    map().Exporta_Video();
    for (int key : {Qt::Key_F2, Qt::Key_F3}) {
        map().input().keyDown(key);
        EXPECT_FALSE(map().playback().isStopped());
        EXPECT_FALSE(map().playback().isPaused());
    }
    map().picGO_Click(); // stopped by hand
    map().Exporta_Video();
    EXPECT_FALSE(map().bGravando());
    EXPECT_FALSE(map().playback().isStopped());
    ticks(10);
    EXPECT_EQ(map().recording().recorder().lCaptura(), 0);
}

TEST_F(Recording, ClosingTheWindowEndsTheRecordingWithItsFrames)
{
    map().Exporta_Video();
    ticks(10);
    int stopped = 0;
    QObject::connect(&map(), &frmMapa::recordingStopped, [&stopped] { ++stopped; });
    map().discardStrat();
    EXPECT_EQ(stopped, 1);
    EXPECT_FALSE(map().bGravando());
    EXPECT_TRUE(map().playback().isStopped());
    EXPECT_EQ(map().recording().recorder().lCaptura(), 2);
    EXPECT_TRUE(QFile::exists(FrameFolder::framePath(2)));
}

// A full disk ends the recording at the first frame that does not fit, as
// STOP would, and says why; the frames before it stay for SAVE.
TEST_F(Recording, AFullDiskEndsTheRecordingAndSaysWhy)
{
    FullDisk disk("size=24m");
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    FrameFolder::setScratchFolder(disk.path());
    int stopped = 0;
    QObject::connect(&map(), &frmMapa::recordingStopped, [&stopped] { ++stopped; });
    map().Exporta_Video();
    ui.answer(MsgResult::Ok);
    for (int frame = 1; frame <= 500 && map().bGravando(); ++frame)
        map().playback().step();
    FrameFolder::setScratchFolder(QString());
    const QString reason
        = QDir(disk.path()).filePath(QStringLiteral("video: No space left on device"));
    EXPECT_FALSE(map().bGravando());
    EXPECT_TRUE(map().playback().isStopped());
    EXPECT_FALSE(picHide()->isVisibleTo(&map()));
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(map().recording().failure(), reason);
    EXPECT_EQ(ui.last().text, reason);
    EXPECT_EQ(ui.last().icon, MsgIcon::Exclamation);
    EXPECT_GT(map().recording().recorder().lCaptura(), 10);
}

} // namespace
} // namespace vantrel::test
