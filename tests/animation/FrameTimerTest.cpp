#include "animation/FrameTimer.h"

#include <gtest/gtest.h>

using namespace vantrel;

namespace {

constexpr qint64 Ms = 1'000'000;

// A frame timer on a clock the test moves by hand.
struct Paced
{
    qint64 nowNs = 0;
    FrameTimer timer{nullptr, [this] {
                         return nowNs;
                     }};
    int frames = 0;
    Paced()
    {
        QObject::connect(&timer, &FrameTimer::frame, [this] { ++frames; });
    }
    // Moves the clock on in steps of `stepMs`, letting the timer catch up after each.
    void run(qint64 totalMs, qint64 stepMs)
    {
        for (qint64 t = 0; t < totalMs; t += stepMs) {
            nowNs += stepMs * Ms;
            timer.catchUp();
        }
    }
};

} // namespace

TEST(FrameTimerTest, FramesDueFollowTheElapsedTime)
{
    const struct
    {
        qint64 ns;
        double speed;
        qint64 frames;
    } cases[] = {
        {0, 1, 0},           {15'624'999, 1, 0}, {15'625'000, 1, 1}, {1000 * Ms, 0.25, 16},
        {1000 * Ms, 4, 256}, {-5, 1, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FrameTimer::framesDue(c.ns, c.speed), c.frames) << c.ns << " at " << c.speed;
}

TEST(FrameTimerTest, TenSecondsGiveSixHundredFortyFramesWhateverTheTimerGranularity)
{
    for (qint64 step : {1, 7, 16, 40}) {
        Paced p;
        p.timer.start();
        p.run(10'000, step);
        EXPECT_EQ(p.frames, 640) << "timer every " << step << " ms";
    }
}

TEST(FrameTimerTest, StoppedTimeDoesNotCount)
{
    Paced p;
    p.timer.start();
    p.run(1000, 5);
    p.timer.stop();
    p.run(5000, 5);
    EXPECT_EQ(p.frames, 64);
    p.timer.start();
    p.run(1000, 5);
    EXPECT_EQ(p.frames, 128);
}

TEST(FrameTimerTest, SpeedChangeKeepsTheFramesCounted)
{
    Paced p;
    p.timer.start();
    p.run(1000, 4);
    p.timer.setSpeed(0.5);
    p.run(1000, 4);
    EXPECT_EQ(p.frames, 64 + 32);
}

TEST(FrameTimerTest, ALongStallCatchesUpOnlyABoundedNumberOfFrames)
{
    Paced p;
    p.timer.start();
    p.run(5000, 5000);
    EXPECT_EQ(p.frames, FrameTimer::MaxCatchUp);
    p.run(1000, 5); // goes on at the normal pace from the stall
    EXPECT_EQ(p.frames, FrameTimer::MaxCatchUp + 64);
}

TEST(FrameTimerTest, AStopFromAFrameHandlerEndsTheCatchUpAtOnce)
{
    Paced p;
    QObject::connect(&p.timer, &FrameTimer::frame, [&] {
        if (p.frames == 2)
            p.timer.stop();
    });
    p.timer.start();
    p.run(100, 100);
    EXPECT_EQ(p.frames, 2);
    EXPECT_FALSE(p.timer.isActive());
}

TEST(FrameTimerTest, ClockTextShowsMinutesPastNinetyNine)
{
    const std::pair<int, const char *> cases[]
        = {{0, "00:00"}, {65, "01:05"}, {599, "09:59"}, {6005, "100:05"}, {32767, "546:07"}};
    for (const auto &[s, text] : cases)
        EXPECT_EQ(clockText(s), QString::fromLatin1(text));
}
