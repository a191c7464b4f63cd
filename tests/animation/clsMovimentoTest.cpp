#include "animation/clsMovimento.h"
#include "animation/MovingSprite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using namespace vantrel;

namespace {

// One frame as playback runs it: every Move, then every lFrame advances.
void frame(clsMovimento &e, MovingSprite &s)
{
    e.Move(&s);
    ++e.lFrame;
}

// Frames until the sprite first leaves its place (or `limit`).
int framesUntilMoved(clsMovimento &e, GridSprite &s, int limit = 1000)
{
    const float x = s.left(), y = s.top();
    for (int f = 0; f < limit; ++f) {
        frame(e, s);
        if (s.left() != x || s.top() != y)
            return f;
    }
    return -1;
}

// Runs until the sprite stops moving for two frames in a row.
int runToRest(clsMovimento &e, GridSprite &s, int limit = 5000)
{
    for (int f = 0; f < limit; ++f) {
        const float x = s.left(), y = s.top();
        frame(e, s);
        if (s.left() == x && s.top() == y) {
            frame(e, s);
            if (s.left() == x && s.top() == y)
                return f;
        }
    }
    return -1;
}

// Where the sprites of these tests stand.
constexpr int B = 1000;

} // namespace

TEST(clsMovimentoTest, EmptyMovementLeavesObjectUntouchedEvenHidden)
{
    clsMovimento e;
    GridSprite s(100, 200, false);
    for (int i = 0; i < 5; ++i)
        frame(e, s);
    EXPECT_FALSE(s.isShown());
    EXPECT_EQ(s.left(), 100);
    EXPECT_EQ(s.top(), 200);
}

TEST(clsMovimentoTest, LegRunsAtVelocityThenClosesInByTenthsAndStopsShort)
{
    clsMovimento e;
    GridSprite s(B, B);
    e.Adiciona(0, B + 1000, B + 0, 8);
    frame(e, s);
    EXPECT_EQ(s.left(), B + 8);
    frame(e, s);
    EXPECT_EQ(s.left(), B + 16);
    // Constant speed while more than 10 twips away.
    while (B + 1000 - s.left() > 10)
        frame(e, s);
    const float before = s.left();
    EXPECT_GT(before, 990);
    frame(e, s);
    // Now a tenth of the remaining distance, rounded to whole twips.
    EXPECT_EQ(s.left(), std::round(before + (B + 1000 - before) * 0.1f));
    runToRest(e, s);
    EXPECT_LT(s.left(), B + 1000.f);
    EXPECT_GE(s.left(), B + 995.f); // a few twips short: no snap
    EXPECT_EQ(s.left(), std::round(s.left()));
}

// Start frame 0 starts at once (the leg above); 1 waits a frame.
TEST(clsMovimentoTest, StartFrameOneWaitsAFrame)
{
    clsMovimento e;
    GridSprite s(B, B, false);
    e.Adiciona(1, B + 500, B + 0, 3);
    e.Move(&s);
    EXPECT_FALSE(s.isShown()) << "waiting keeps the visibility";
    EXPECT_EQ(s.left(), B);
    ++e.lFrame;
    e.Move(&s);
    EXPECT_TRUE(s.isShown());
    EXPECT_EQ(s.left(), B + 3);
}

// Both legs wait for start frame 30. Counting from every arrival (the flag
// off), the object pauses about 30 frames at way point 1; counting from the
// playback's start (on), that wait is long over and it goes straight on.
TEST(clsMovimentoTest, KeepCountingDecidesWhereStartFramesCountFrom)
{
    for (const auto &[keepCounting, pause] : {std::pair{false, 30}, {true, 0}}) {
        SCOPED_TRACE(keepCounting);
        bool flag = keepCounting;
        clsMovimento e(&flag);
        GridSprite s(B, B);
        e.Adiciona(30, B + 200, B + 0, 20);
        e.Adiciona(30, B + 200, B + 400, 20);
        EXPECT_EQ(framesUntilMoved(e, s), 30);
        // Run to the first way point; the arrival frame already steps toward
        // the second one.
        for (int guard = 0; e.current() != 2 && guard < 400; ++guard)
            frame(e, s);
        ASSERT_EQ(e.current(), 2);
        EXPECT_NEAR(framesUntilMoved(e, s, 400), pause, 1);
    }
}

TEST(clsMovimentoTest, FlagIsReadAtRunTime)
{
    bool keepCounting = true;
    clsMovimento e(&keepCounting);
    GridSprite s(B, B);
    e.Adiciona(0, B + 0, B + 0, 8); // already there
    e.Adiciona(0, B + 100, B + 0, 8);
    e.lFrame = 7;
    e.Move(&s); // nothing to do: stands on point 1
    e.Move(&s); // arrival: lFrame kept
    EXPECT_EQ(e.lFrame, 7);
    keepCounting = false;
    e.Reseta();
    s.setPosition(B, B);
    e.lFrame = 7;
    e.Move(&s);
    e.Move(&s); // arrival again: now lFrame is cleared
    EXPECT_EQ(e.current(), 2);
    EXPECT_EQ(e.lFrame, 0);
}

TEST(clsMovimentoTest, ARunStoppedEarlyReplaysLikeTheFirst)
{
    // Stopped one step in, the object goes back to its place, which is the
    // position the engine saw last: the replay must still head for way point 1.
    const auto play = [](clsMovimento &e, GridSprite &s) {
        std::vector<float> path;
        for (int f = 0; f < 60; ++f) {
            frame(e, s);
            path.push_back(s.left() + s.top() * 1e4f);
        }
        return path;
    };
    for (int stopAfter : {1, 2, 40}) {
        clsMovimento e;
        GridSprite s(B, B);
        e.Adiciona(0, B + 300, B + 0, 20);
        e.Adiciona(0, B + 300, B + 300, 20);
        const std::vector<float> first = play(e, s);
        e.Reseta();
        s.setPosition(B, B);
        for (int f = 0; f < stopAfter; ++f)
            frame(e, s);
        e.Reseta();
        s.setPosition(B, B);
        EXPECT_EQ(play(e, s), first) << "stopped after " << stopAfter;
    }
}

// A way point the object already stands on, or one with velocity 0, is
// passed without a step; the next call heads for the following one.
TEST(clsMovimentoTest, WayPointOnThePositionOrWithVelocityZeroIsPassedWithoutAStep)
{
    const struct
    {
        const char *name;
        int32_t x;
        float velocity;
    } cases[] = {{"on the position", B + 0, 8}, {"velocity 0", B + 500, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        clsMovimento e;
        GridSprite s(B, B);
        e.Adiciona(0, c.x, B + 0, c.velocity);
        e.Adiciona(0, B + 0, B + 800, 8);
        frame(e, s);
        EXPECT_EQ(s.left(), B);
        EXPECT_EQ(s.top(), B);
        frame(e, s);
        EXPECT_EQ(e.current(), 2);
        EXPECT_EQ(s.left(), B);
        EXPECT_EQ(s.top(), B + 8);
    }
}

// Every leg ends: random legs at speeds 0 to 20 reach their way point (the
// engine heads for the next one) within a bound of frames. Fast legs that
// end near the way point used to swing across it forever on the whole-twip
// grid, such as 6615,1545 to 3165,1095 at speed 20.
TEST(clsMovimentoTest, EveryLegSettlesWithinABoundOfFrames)
{
    struct Leg
    {
        int x0, y0, x1, y1;
        float speed;
    };
    std::vector<Leg> legs{{6615, 1545, 3165, 1095, 20}};
    std::mt19937 rng(20261207);
    for (int n = 0; n < 20000; ++n) {
        const int x0 = int(rng() % 12000), y0 = int(rng() % 9000);
        const int span = n % 2 ? 2000 : 40; // far, or just past the constant-speed phase
        const int x1 = x0 + int(rng() % (2 * span + 1)) - span;
        const int y1 = y0 + int(rng() % (2 * span + 1)) - span;
        const float low = n % 4 == 1 ? 19.f : 0.f;
        const float speed = n % 4 == 0 ? 20.f : std::uniform_real_distribution<float>(low, 20)(rng);
        legs.push_back({x0, y0, x1, y1, speed});
    }
    for (const Leg &leg : legs) {
        clsMovimento e;
        GridSprite s(float(leg.x0), float(leg.y0));
        e.Adiciona(0, leg.x1, leg.y1, leg.speed);
        e.Adiciona(0, leg.x1, leg.y1, leg.speed);
        const double distance = std::hypot(leg.x1 - leg.x0, leg.y1 - leg.y0);
        const int bound = int(2 * distance / std::max(leg.speed, 0.5f)) + 64;
        int f = 0;
        while (f < bound && e.current() != 2) {
            frame(e, s);
            ++f;
        }
        ASSERT_EQ(e.current(), 2) << leg.x0 << "," << leg.y0 << " to " << leg.x1 << "," << leg.y1
                                  << " at " << leg.speed;
    }
}

TEST(clsMovimentoTest, AdicionaDuringPlaybackHeadsBackToWayPointOne)
{
    clsMovimento e;
    GridSprite s(B, B);
    e.Adiciona(0, B + 100, B + 0, 20);
    e.Adiciona(0, B + 100, B + 1000, 20);
    // Well on the way to way point 2.
    for (int f = 0; f < 20; ++f)
        frame(e, s);
    ASSERT_EQ(e.current(), 2);
    EXPECT_EQ(e.Adiciona(0, B + 0, B + 0, 20), 3);
    EXPECT_EQ(e.current(), 1);
    const float y = s.top();
    frame(e, s);
    EXPECT_LT(s.top(), y) << "heads for way point 1 again";
}

TEST(clsMovimentoTest, CutWhileHeadingPastTheEndEndsStepsUntilReset)
{
    clsMovimento e;
    GridSprite s(B, B);
    e.Adiciona(0, B + 0, B + 0, 8);
    e.Adiciona(0, B + 0, B + 100, 8);
    e.Adiciona(0, B + 0, B + 200, 8);
    frame(e, s);
    frame(e, s);
    ASSERT_EQ(e.current(), 2);
    EXPECT_TRUE(e.ApagaMovimento(2));
    EXPECT_EQ(e.itM, 1);
    const float y = s.top();
    frame(e, s);
    EXPECT_EQ(s.top(), y);
    e.Reseta();
    EXPECT_EQ(e.current(), 1);
    EXPECT_EQ(e.lFrame, 0);
}

TEST(clsMovimentoTest, IndexErrorsAreReportedAndChangeNothing)
{
    clsMovimento e;
    e.Adiciona(5, 10, 20, 3);
    EXPECT_FALSE(e.EditaXY(0, 1, 1));
    EXPECT_FALSE(e.EditaXY(2, 1, 1));
    EXPECT_FALSE(e.EditaMov(-1, 1, 1));
    EXPECT_FALSE(e.EditaMov(2, 1, 1));
    EXPECT_FALSE(e.ApagaMovimento(0));
    EXPECT_FALSE(e.ApagaMovimento(3)) << "cutting past the end must not grow the list";
    EXPECT_EQ(e.itM, 1);
    EXPECT_EQ(e.point(1), (MovementPoint{5, 10, 20, 3}));
    EXPECT_TRUE(e.EditaXY(1, 7, 8));
    EXPECT_TRUE(e.EditaMov(1, 9, 20));
    EXPECT_EQ(e.point(1), (MovementPoint{9, 7, 8, 20}));
    EXPECT_TRUE(e.ApagaMovimento(1));
    EXPECT_EQ(e.itM, 0);
}

TEST(clsMovimentoTest, MissingPictureEndsTheStepSilently)
{
    clsMovimento e;
    e.Adiciona(0, B + 10, B + 10, 8);
    e.Move(nullptr);
    EXPECT_EQ(e.current(), 1);
}
