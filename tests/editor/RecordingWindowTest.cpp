// Recording in the strat window: the frames captured at the end of the frame
// tick, the run started and stopped by Exporta_Video, and the keys left out.
#include "EditorFixture.h"

#include "export/ExportTestSupport.h"
#include "export/FrameFolder.h"

#include <QFile>

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
    EXPECT_TRUE(map().picHide()->isVisibleTo(&map()));
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
    EXPECT_EQ(map().recorder().lCaptura(), 12);
    EXPECT_FALSE(QFile::exists(FrameFolder::framePath(13)));

    int stopped = 0;
    QObject::connect(&map(), &frmMapa::recordingStopped, [&stopped] { ++stopped; });
    map().Exporta_Video();
    EXPECT_EQ(stopped, 1);
    EXPECT_FALSE(map().bGravando());
    EXPECT_TRUE(map().playback().isStopped());
    EXPECT_FALSE(map().picHide()->isVisibleTo(&map()));
    EXPECT_TRUE(QFile::exists(FrameFolder::framePath(12)));
}

TEST_F(Recording, StartsFromFrameZeroOnAPausedWindowAndEmptiesOldFrames)
{
    map().Exporta_Video();
    ticks(19);
    map().Exporta_Video();
    ASSERT_TRUE(QFile::exists(FrameFolder::framePath(3)));

    map().picGO_Click();
    ticks(5);
    map().picPause_Click();
    map().Exporta_Video();
    EXPECT_EQ(map().playback().frame(), 0);
    EXPECT_FALSE(map().playback().isStopped());
    EXPECT_FALSE(map().playback().isPaused());
    EXPECT_FALSE(QFile::exists(FrameFolder::framePath(1)));
    ticks(1);
    EXPECT_TRUE(QFile::exists(FrameFolder::framePath(1)));
    EXPECT_FALSE(QFile::exists(FrameFolder::framePath(2)));
}

TEST_F(Recording, KeysAreIgnoredAndStopAfterAManualStopPlaysWithoutRecording)
{
    map().Exporta_Video();
    for (int key : {Qt::Key_F2, Qt::Key_F3}) {
        map().keyDown(key);
        EXPECT_FALSE(map().playback().isStopped());
        EXPECT_FALSE(map().playback().isPaused());
    }
    map().picGO_Click(); // stopped by hand
    map().Exporta_Video();
    EXPECT_FALSE(map().bGravando());
    EXPECT_FALSE(map().playback().isStopped());
    ticks(10);
    EXPECT_EQ(map().recorder().lCaptura(), 0);
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
    EXPECT_EQ(map().recorder().lCaptura(), 2);
    EXPECT_TRUE(QFile::exists(FrameFolder::framePath(2)));
}

} // namespace
} // namespace vantrel::test
