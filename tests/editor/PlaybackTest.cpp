// Playback in the strat window: start, pause and stop, the frame tick, the
// clock, and the rewind; the capture and Exporta.
#include "EditorFixture.h"

#include "animation/MovingSprite.h"
#include "export/ExportTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QRandomGenerator>

#include <functional>

namespace vantrel::test {
namespace {

class WindowPlayback : public EditorFixture
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
    Playback &run() { return map().playback(); }
    // A control of the top strip, found as a user would: by its name.
    QLabel *control(const char *name) { return map().findChild<QLabel *>(QLatin1String(name)); }
    void ticks(int n)
    {
        for (int k = 0; k < n; ++k)
            run().step();
    }
    QPointF stored(int i) const
    {
        const StratObject &o = active->strat().Objects[i];
        return {o.Left, o.Top};
    }

    int16_t player = 0;
    int16_t grenade = 0;
};

// Stop brings back every object, marker and line, and the picture is the one
// before the run: path lines stay under the icons they cross.
TEST_F(WindowPlayback, StopRightAfterStartOrAfterFramesRestoresEverything)
{
    buildStrat();
    place(6, 2200, 1440); // on the player's first line
    const QImage before = map().capture();
    for (int frames : {0, 40}) {
        SCOPED_TRACE(frames);
        map().picGO_Click();
        EXPECT_FALSE(run().isStopped());
        EXPECT_EQ(control("picGO")->toolTip(), QStringLiteral("STOP"));
        EXPECT_TRUE(map().document().isUndoSuspended());
        EXPECT_FALSE(surface().picM(1)->isVisible());
        EXPECT_FALSE(surface().linha(2)->isVisible());
        EXPECT_FALSE(item(grenade)->isVisible());
        ticks(frames);
        EXPECT_EQ(control("lblFrame")->text(), QString::number(frames));
        if (frames > 0) {
            EXPECT_NE(item(player)->pos(), stored(player));
        }

        map().picGO_Click();
        EXPECT_TRUE(run().isStopped());
        EXPECT_EQ(control("picGO")->toolTip(), QStringLiteral("Play"));
        EXPECT_FALSE(run().timer().isActive());
        EXPECT_FALSE(map().document().isUndoSuspended());
        EXPECT_EQ(control("lblFrame")->text(), QStringLiteral("0"));
        EXPECT_EQ(control("lblSegs")->text(), QStringLiteral("00:00"));
        EXPECT_EQ(item(player)->pos(), stored(player));
        EXPECT_TRUE(item(grenade)->isVisible());
        for (int k = 1; k <= map().MarkerCount(); ++k) {
            EXPECT_TRUE(surface().picM(k)->isVisible());
            EXPECT_TRUE(surface().linha(k)->isVisible());
        }
        EXPECT_EQ(map().playback().engines().engine(1)->lFrame, 0);
        EXPECT_EQ(map().playback().engines().engine(1)->current(), 1);
        EXPECT_TRUE(map().capture() == before);
    }
}

TEST_F(WindowPlayback, PauseDoesNothingWhenStoppedAndPauseThenStopEndsUnpaused)
{
    buildStrat();
    std::vector<Playback::State> seen;
    QObject::connect(&run(), &Playback::stateChanged,
                     [&](Playback::State s) { seen.push_back(s); });
    map().picPause_Click();
    EXPECT_TRUE(seen.empty());

    map().picGO_Click();
    map().picPause_Click();
    EXPECT_FALSE(run().timer().isActive());
    map().picPause_Click();
    EXPECT_TRUE(run().timer().isActive());
    map().picPause_Click();
    map().picGO_Click();
    EXPECT_FALSE(run().timer().isActive());
    using S = Playback::State;
    EXPECT_EQ(seen, (std::vector<S>{S::Running, S::Paused, S::Running, S::Paused, S::Stopped}));
}

// F2 and F3, which do the same, are the main window's keys and tested there.
TEST_F(WindowPlayback, ClicksOnTheButtonsPlayPauseAndStop)
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
    click(control("picGO"));
    EXPECT_EQ(run().state(), Playback::State::Running);
    click(control("picPause"));
    EXPECT_EQ(run().state(), Playback::State::Paused);
    click(control("picGO"));
    EXPECT_TRUE(run().isStopped());
}

TEST_F(WindowPlayback, FirstLegWithStartFrameHoldsItsGrenadeHiddenInPlace)
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

// The clock is the strat's own time, frames / 64, at any speed and after a
// jump, so a frame always shows the same time.
TEST_F(WindowPlayback, ClockShowsFramesOverSixtyFour)
{
    run().setSpeed(4.0);
    map().picGO_Click();
    ticks(1620);
    EXPECT_EQ(control("lblSegs")->text(), QStringLiteral("00:25"));
    const std::pair<int32_t, const char *> jumps[]
        = {{65 * 64, "01:05"}, {63, "00:00"}, {6005 * 64 + 10, "100:05"}};
    for (const auto &[frame, clock] : jumps) {
        run().seekTo(frame);
        EXPECT_EQ(control("lblSegs")->text(), QLatin1String(clock)) << frame;
        EXPECT_EQ(control("lblFrame")->text(), QString::number(frame));
    }
}

TEST_F(WindowPlayback, RunningTooltipComesFromTheLanguagePack)
{
    ws.language.setStrings({{QStringLiteral("s0006"), QStringLiteral("HALT")}});
    ws.language.sCurrentFile = QStringLiteral("test.lng");
    map().picGO_Click();
    EXPECT_EQ(control("picGO")->toolTip(), QStringLiteral("HALT"));
}

// For random strats, N frame ticks of the window put every moving object
// where N steps of a separate engine put a bare sprite.
TEST_F(WindowPlayback, FramesPutObjectsWhereTheEnginesPutThem)
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

// Every tick steps every engine once whatever the pace: at a quarter or four
// times the speed, frame N puts every object where N ticks at 1x do.
TEST_F(WindowPlayback, ASpeedChangeKeepsThePositionsOfEveryFrame)
{
    buildStrat();
    const int16_t runner = place(2, 900, 6000);
    addPointFor(runner, 9000, 1200, 0);
    auto positions = [&] {
        return std::vector<QPointF>{item(player)->pos(), item(runner)->pos(), item(grenade)->pos()};
    };
    const struct
    {
        double speed;
        int frame;
    } cases[] = {{4.0, 90}, {0.25, 6}, {2.0, 40}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.speed);
        map().picGO_Click();
        ticks(c.frame);
        const std::vector<QPointF> atOneTimes = positions();
        map().picGO_Click();

        std::vector<QPointF> seen;
        const auto watch = QObject::connect(&run(), &Playback::frameChanged, [&](int32_t f) {
            if (f == c.frame)
                seen = positions();
        });
        run().setSpeed(c.speed);
        map().picGO_Click();
        QElapsedTimer clock;
        clock.start();
        while (run().frame() < c.frame && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QObject::disconnect(watch);
        map().picGO_Click();
        run().setSpeed(1.0);
        EXPECT_EQ(seen, atOneTimes);
    }
}

// A jump to frame N replays the engines from a stop: the picture is that of N
// ticks from a stop, byte for byte, and a stopped window becomes a paused run.
TEST_F(WindowPlayback, AJumpToFrameNIsNTicksFromAStop)
{
    // A path that ends where it began: a rewound engine must not take its
    // start for an arrival, whatever the previous jump left.
    auto build = [this] {
        buildStrat();
        const int16_t loop = place(3, 4000, 6000);
        addPointFor(loop, 4600, 6000, 1);
        addPoint(4000, 6000, 1);
    };
    // Each reference is the first run of a new window.
    std::vector<std::pair<int, QImage>> ticked;
    for (int n : {0, 1, 25, 140, 400}) {
        active = addWindow();
        build();
        map().picGO_Click();
        ticks(n);
        ticked.emplace_back(n, map().exportPicture());
    }
    active = addWindow();
    build();
    for (int round = 0; round < 2; ++round) {
        for (const auto &[n, picture] : ticked) {
            SCOPED_TRACE(n);
            run().seekTo(n);
            EXPECT_EQ(run().state(), Playback::State::Paused);
            EXPECT_EQ(run().frame(), n);
            EXPECT_EQ(control("lblFrame")->text(), QString::number(n));
            EXPECT_TRUE(map().exportPicture() == picture);
        }
        std::reverse(ticked.begin(), ticked.end());
    }
    // Resuming goes on from the jump; stop rewinds as ever.
    run().seekTo(25);
    map().picPause_Click();
    ticks(115);
    EXPECT_TRUE(map().exportPicture() == ticked[3].second); // frame 140
    map().picGO_Click();
    EXPECT_EQ(item(player)->pos(), stored(player));
}

// The slider's range ends at the last frame that moves or shows anything,
// found here by playing frame by frame well past it; a leg waiting for its
// start frame is not at rest. A jump past the range changes nothing, and the
// look ahead leaves the window's own engines in place.
TEST_F(WindowPlayback, RestingFrameIsTheLastFrameThatMovesAnything)
{
    EXPECT_EQ(run().restingFrame(), 0);
    const struct
    {
        const char *name;
        std::function<void()> build;
    } cases[] = {
        {"two legs",
         [this] {
             buildStrat();
         }},
        {"first leg waits 50",
         [this] {
             rightClickObject(place(1, 1500, 1500));
             addPoint(3000, 1500, 1, QStringLiteral("50"));
         }},
        {"run, then walk after 300",
         [this] {
             rightClickObject(place(1, 1500, 1500));
             addPoint(4500, 1500, 0, QStringLiteral("0"));
             addPoint(4500, 6000, 1, QStringLiteral("300"));
         }},
        {"a grenade shows after 40 where it stands",
         [this] {
             rightClickObject(place(10, 3000, 3000));
             addPoint(3000, 3000, 2, QStringLiteral("40"));
         }},
    };
    for (const auto &c : cases) {
        for (bool keep : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (keep ? ", keep counting" : ""));
            active = addWindow();
            ws.keepCountingFrames = keep;
            c.build();
            const int32_t rest = run().restingFrame();
            auto look = [this] {
                std::vector<std::pair<QPointF, bool>> seen;
                for (int i = 1; i <= map().iObj(); ++i)
                    seen.emplace_back(item(i)->pos(), item(i)->isVisible());
                return seen;
            };
            map().picGO_Click();
            int32_t last = 0;
            auto before = look();
            for (int32_t f = 1; f <= rest + 600; ++f) {
                run().step();
                auto after = look();
                if (after != before)
                    last = f;
                before = std::move(after);
            }
            EXPECT_EQ(rest, last);
            const auto atRest = look();
            run().seekTo(rest + 200);
            EXPECT_EQ(look(), atRest);
            EXPECT_EQ(run().restingFrame(), rest);
            EXPECT_EQ(run().frame(), rest + 200);
        }
    }
    ws.keepCountingFrames = false;
}

TEST_F(WindowPlayback, ExportaWritesTheWindowAsAJpegAndReportsAFailure)
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
    EXPECT_TRUE(control("picGO")->isVisibleTo(&map()));
    EXPECT_TRUE(control("lblSegs")->isVisibleTo(&map()));

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
