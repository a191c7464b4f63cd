// Playback in the strat window: start, pause and stop, the frame tick, the
// clock, and the rewind; the capture and Exporta.
#include "EditorFixture.h"

#include "animation/MovingSprite.h"
#include "export/ExportTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QRandomGenerator>

namespace vantrel::test {
namespace {

class Playback : public EditorFixture
{
protected:
    // A player with two way points and a grenade box without movement.
    void buildStrat()
    {
        player = place(1, 1500, 1500);
        addPointFor(player, 3000, 1500);
        addPoint(3000, 3000);
        grenade = place(10, 6000, 4000);
    }
    ObjectItem *item(int i) { return surface().imgObj(i); }
    void ticks(int n)
    {
        for (int k = 0; k < n; ++k)
            map().tmrT_Timer();
    }
    QPointF stored(int i) const
    {
        const StratObject &o = active->strat().Objects[i];
        return {o.Left, o.Top};
    }

    int16_t player = 0;
    int16_t grenade = 0;
};

TEST_F(Playback, StopRightAfterStartOrAfterFramesRestoresEverything)
{
    buildStrat();
    for (int frames : {0, 40}) {
        SCOPED_TRACE(frames);
        map().picGO_Click();
        EXPECT_TRUE(map().isRunning());
        EXPECT_EQ(map().picGO()->property("Tag").toString(), QStringLiteral("1"));
        EXPECT_EQ(map().picGO()->toolTip(), QStringLiteral("STOP"));
        EXPECT_TRUE(map().document().isUndoSuspended());
        EXPECT_FALSE(surface().picM(1)->isVisible());
        EXPECT_FALSE(surface().linha(2)->isVisible());
        EXPECT_FALSE(item(grenade)->isVisible());
        ticks(frames);
        EXPECT_EQ(map().lblFrame()->text(), QString::number(frames));
        if (frames > 0) {
            EXPECT_NE(item(player)->pos(), stored(player));
        }

        map().picGO_Click();
        EXPECT_FALSE(map().isRunning());
        EXPECT_EQ(map().picGO()->property("Tag").toString(), QStringLiteral("0"));
        EXPECT_EQ(map().picGO()->toolTip(), QStringLiteral("Play"));
        EXPECT_FALSE(map().tmrT().isActive());
        EXPECT_FALSE(map().tmrTempo().isActive());
        EXPECT_FALSE(map().document().isUndoSuspended());
        EXPECT_EQ(map().lblFrame()->text(), QStringLiteral("0"));
        EXPECT_EQ(map().lblSegs()->text(), QStringLiteral("00:00"));
        EXPECT_EQ(item(player)->pos(), stored(player));
        EXPECT_TRUE(item(grenade)->isVisible());
        for (int k = 1; k <= map().MarkerCount(); ++k) {
            EXPECT_TRUE(surface().picM(k)->isVisible());
            EXPECT_TRUE(surface().linha(k)->isVisible());
        }
        EXPECT_EQ(map().engine(1)->lFrame, 0);
        EXPECT_EQ(map().engine(1)->current(), 1);
    }
}

TEST_F(Playback, PauseDoesNothingWhenStoppedAndPauseThenStopEndsUnpaused)
{
    buildStrat();
    map().picPause_Click();
    EXPECT_FALSE(map().bPausa);
    EXPECT_FALSE(map().tmrT().isActive());

    map().picGO_Click();
    map().picPause_Click();
    EXPECT_TRUE(map().bPausa);
    EXPECT_TRUE(map().isRunning());
    EXPECT_FALSE(map().tmrT().isActive());
    EXPECT_FALSE(map().tmrTempo().isActive());
    map().picPause_Click();
    EXPECT_FALSE(map().bPausa);
    EXPECT_TRUE(map().tmrT().isActive());
    map().picPause_Click();
    map().picGO_Click();
    EXPECT_FALSE(map().bPausa);
    EXPECT_FALSE(map().isRunning());
    EXPECT_FALSE(map().tmrT().isActive());
}

TEST_F(Playback, KeysF2AndF3PlayPauseAndStop)
{
    buildStrat();
    map().keyDown(Qt::Key_F2);
    EXPECT_TRUE(map().isRunning());
    map().keyDown(Qt::Key_F3);
    EXPECT_TRUE(map().bPausa);
    map().keyDown(Qt::Key_F2);
    EXPECT_FALSE(map().isRunning());
    EXPECT_FALSE(map().bPausa);
}

TEST_F(Playback, ClicksOnTheButtonsPlayPauseAndStop)
{
    buildStrat();
    const auto click = [](QLabel *button) {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &press);
        QCoreApplication::sendEvent(button, &release);
    };
    click(map().picGO());
    EXPECT_TRUE(map().isRunning());
    click(map().picPause());
    EXPECT_TRUE(map().bPausa);
    click(map().picGO());
    EXPECT_FALSE(map().isRunning());
}

TEST_F(Playback, FirstLegWithStartFrameHoldsItsGrenadeHiddenInPlace)
{
    const int16_t g = place(11, 3000, 3000);
    rightClickObject(g);
    addPoint(4500, 3000, 2, QStringLiteral("50"));
    map().picGO_Click();
    ticks(50);
    EXPECT_FALSE(item(g)->isVisible());
    EXPECT_EQ(item(g)->pos(), stored(g));
    ticks(1);
    EXPECT_TRUE(item(g)->isVisible());
    EXPECT_GT(item(g)->pos().x(), stored(g).x());
}

TEST_F(Playback, ClockShowsMinutesPastNinetyNine)
{
    map().picGO_Click();
    for (int s = 1; s <= 6005; ++s) {
        map().tmrTempo_Timer();
        if (s == 65) {
            EXPECT_EQ(map().lblSegs()->text(), QStringLiteral("01:05"));
        }
    }
    EXPECT_EQ(map().lblSegs()->text(), QStringLiteral("100:05"));
    EXPECT_EQ(map().lblFrame()->text(), QStringLiteral("0"));
}

TEST_F(Playback, RunningTooltipComesFromTheLanguagePack)
{
    ws.language.setStrings({{QStringLiteral("s0006"), QStringLiteral("HALT")}});
    ws.language.sCurrentFile = QStringLiteral("test.lng");
    map().picGO_Click();
    EXPECT_EQ(map().picGO()->toolTip(), QStringLiteral("HALT"));
}

TEST_F(Playback, KeepCountingTakesEffectDuringARun)
{
    // A short first leg, then a long one: arriving at the first way point
    // restarts the engine's frame count unless keep-counting is on, and the
    // option is read at the arrival, so switching it mid-run counts.
    const int16_t p = place(1, 1500, 1500);
    addPointFor(p, 1560, 1500);
    addPoint(9000, 6000);
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        ws.keepCountingFrames = !keep;
        map().picGO_Click();
        ticks(2);
        ws.keepCountingFrames = keep;
        ticks(58);
        EXPECT_EQ(map().engine(1)->current(), 2);
        if (keep) {
            EXPECT_EQ(map().engine(1)->lFrame, 60);
        } else {
            EXPECT_LT(map().engine(1)->lFrame, 60);
        }
        map().picGO_Click();
    }
}

// For random strats, N frame ticks of the window put every moving object
// where N steps of a separate engine put a bare sprite.
TEST_F(Playback, FramesPutObjectsWhereTheEnginesPutThem)
{
    QRandomGenerator rng(20261206);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        frmMapa *w = addWindow();
        active = w;
        const int objects = 1 + int(rng.bounded(6));
        std::vector<clsMovimento> engines;
        std::vector<GridSprite> sprites;
        for (int o = 0; o < objects; ++o) {
            const int16_t i
                = place(int(rng.bounded(13)), 600 + rng.bounded(10000), 600 + rng.bounded(7500));
            rightClickObject(i);
            const int points = int(rng.bounded(4));
            for (int k = 0; k < points; ++k)
                addPoint(600 + rng.bounded(10000), 600 + rng.bounded(7500), int(rng.bounded(3)),
                         QString::number(rng.bounded(30)));
        }
        for (int m = 1; m <= w->strat().Movements.count(); ++m) {
            const StratMovement &mv = w->strat().Movements[m];
            engines.emplace_back();
            for (int k = 1; k <= mv.PointCount; ++k) {
                const MovementPoint &pt = mv.Points[size_t(k)];
                engines.back().Adiciona(pt.StartFrame, int32_t(pt.X), int32_t(pt.Y), pt.Velocity);
            }
            engines.back().iObj = mv.ObjectIndex;
            const StratObject &o = w->strat().Objects[mv.ObjectIndex];
            sprites.emplace_back(o.Left, o.Top);
        }
        const int frames = int(rng.bounded(400));
        w->picGO_Click();
        ticks(frames);
        for (int f = 0; f < frames; ++f) {
            for (size_t e = 0; e < engines.size(); ++e)
                engines[e].Move(&sprites[e]);
            for (clsMovimento &e : engines)
                ++e.lFrame;
        }
        for (size_t e = 0; e < engines.size(); ++e) {
            const ObjectItem *obj = surface().imgObj(engines[e].iObj);
            EXPECT_EQ(obj->pos(), QPointF(sprites[e].left(), sprites[e].top())) << "movement " << e;
        }
    }
}

TEST_F(Playback, CaptureIsTheWindowAtItsOwnSize)
{
    buildStrat();
    const QImage stopped = map().capture();
    EXPECT_EQ(stopped.size(), QSize(799, 585));
    map().picGO_Click();
    ticks(30);
    // Markers and lines vanish and the player has moved.
    EXPECT_NE(map().capture(), stopped);
}

TEST_F(Playback, ExportaWritesTheWindowAsAJpegAndReportsAFailure)
{
    buildStrat();
    map().picGO_Click();
    ticks(20);
    const QString typed = QDir(home.path()).filePath(QStringLiteral("mid"));
    ui.answer(typed);
    map().Exporta();
    const Prompt &asked = ui.last();
    EXPECT_EQ(asked.kind, Prompt::SaveFile);
    EXPECT_EQ(asked.title, QStringLiteral("Export Strat"));
    const QImage decoded = decodedByDjpeg(typed + QStringLiteral(".jpg"));
    const QImage expected = map().exportPicture();
    ASSERT_EQ(decoded.size(), QSize(799, 585));
    EXPECT_LT(meanDifference(decoded.convertToFormat(QImage::Format_RGB32), expected), 4.0);
    // The controls come back after the export.
    EXPECT_TRUE(map().picGO()->isVisibleTo(&map()));
    EXPECT_TRUE(map().lblSegs()->isVisibleTo(&map()));

    const QString unwritable = QDir(home.path()).filePath(QStringLiteral("missing/dir/x.jpg"));
    ui.answer(unwritable);
    ui.answer(MsgResult::Ok);
    map().Exporta();
    EXPECT_EQ(ui.last().kind, Prompt::Message);
    EXPECT_TRUE(ui.last().text.contains(unwritable));
    EXPECT_FALSE(QFile::exists(unwritable));

    // A cancelled dialog changes nothing.
    const size_t before = ui.prompts().size();
    ui.answer(QString());
    map().Exporta();
    EXPECT_EQ(ui.prompts().size(), before + 1);
}

} // namespace
} // namespace vantrel::test
