#include "animation/PlayFollower.h"
#include "animation/MovingSprite.h"
#include "strat/StratDocument.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vantrel;

namespace {

// A strat whose one object walks a long way, moved by bare sprites, with the
// frame timer and the follower on clocks the test moves by hand.
struct FollowerFixture : ::testing::Test
{
    class Sprites : public PlaybackSprites
    {
    public:
        MovingSprite *sprite(int object) override
        {
            return object >= 1 && object <= int(grid.size()) ? &grid[size_t(object - 1)] : nullptr;
        }
        bool hiddenAtStart(int) const override { return false; }
        std::vector<GridSprite> grid{GridSprite(0, 0)};
    };

    FollowerFixture()
    {
        document.placeObject(0, 0, 0);
        document.addWayPoint(1, 100000, 0, 0, 3);
    }

    qint64 nowMs = 10'000;
    qint64 timerNs = 0;
    StratDocument document;
    Sprites sprites;
    Playback playback{document, nullptr, sprites, nullptr, [this] {
                          return timerNs;
                      }};
    PlayFollower follower{playback, nullptr, [this] {
                              return nowMs;
                          }};
};

} // namespace

// Each state of the leader brings the follower to the same state, speed and
// frame: a running leader's frame is counted on from the time its state
// arrived, whatever this playback did before.
TEST_F(FollowerFixture, TakesTheLeadersStateSpeedAndFrame)
{
    const struct
    {
        const char *name;
        Playback::State run;
        int32_t frame;
        double speed;
        qint64 agoMs; // how long before now the state arrived
        int32_t expected;
    } cases[] = {
        {"running, just arrived", Playback::State::Running, 100, 1.0, 0, 100},
        {"running, arrived half a second ago at double speed", Playback::State::Running, 100, 2.0,
         500, 164},
        {"paused", Playback::State::Paused, 300, 0.5, 900, 300},
        {"running again from a pause", Playback::State::Running, 40, 0.25, 1000, 56},
        {"stopped", Playback::State::Stopped, 77, 1.0, 0, 0},
        {"paused from a stop", Playback::State::Paused, 12, 4.0, 0, 12},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        follower.follow(c.run, c.frame, c.speed, nowMs - c.agoMs);
        EXPECT_EQ(playback.state(), c.run);
        EXPECT_EQ(playback.frame(), c.expected);
        EXPECT_DOUBLE_EQ(playback.speed(), c.speed);
        EXPECT_EQ(follower.leaderFrame(), c.expected);
    }
}

// A follower that drifts more than a frame jumps back to the leader's frame;
// one frame off is left alone.
TEST_F(FollowerFixture, JumpsOnlyWhenItDrifts)
{
    for (const int drift : {1, -1, 5, -4}) {
        SCOPED_TRACE(drift);
        follower.follow(Playback::State::Running, 200, 1.0);
        playback.seekTo(200 + drift);
        follower.catchUp();
        EXPECT_EQ(playback.frame(), std::abs(drift) <= PlayFollower::kMaxDrift ? 200 + drift : 200);
    }
}

// A change of the leader's speed lands the follower on its frame exactly: a
// frame of lag kept there would grow by the travel time at every change.
TEST_F(FollowerFixture, LandsExactlyWhenTheLeaderChangesSpeed)
{
    follower.follow(Playback::State::Running, 200, 1.0);
    for (const double speed : {4.0, 0.25}) {
        SCOPED_TRACE(speed);
        playback.seekTo(199);
        follower.follow(Playback::State::Running, 200, speed);
        EXPECT_EQ(playback.frame(), 200);
    }
}

// Not following, the playback is the player's own; following again catches
// up at once with where the leader is by now.
TEST_F(FollowerFixture, StopFollowingThenFollowCatchesUp)
{
    follower.follow(Playback::State::Running, 0, 1.0);
    follower.setFollowing(false);
    playback.pause();
    playback.seekTo(900);
    follower.follow(Playback::State::Running, 64, 1.0);
    nowMs += 1000;
    follower.catchUp();
    EXPECT_EQ(playback.frame(), 900);
    EXPECT_TRUE(playback.isPaused());

    follower.setFollowing(true);
    EXPECT_EQ(playback.state(), Playback::State::Running);
    EXPECT_EQ(playback.frame(), 128);
}
