#pragma once

#include "animation/Playback.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace vantrel {

// Makes a Playback follow another player's: their run state, speed and frame
// as they were when a state was sent, and the time it arrived here. A running
// leader's frame is worked out from the time since; whenever this playback is
// more than a frame off that, it jumps there, so it keeps within two frames;
// when the leader's run or speed changes, it lands on the leader's frame.
// While not following, the states are kept, and following again catches up at
// once.
class PlayFollower : public QObject
{
    Q_OBJECT

public:
    // Milliseconds of a monotonic clock; a test may move it by hand.
    using Clock = std::function<qint64()>;
    // The clock followers use unless given one.
    static qint64 steadyMs();
    // How far off the leader a follower may be before it jumps.
    static constexpr int32_t kMaxDrift = 1;

    explicit PlayFollower(Playback &playback, QObject *parent = nullptr, Clock clock = {});

    // The leader's state, sent at its frame `frame`, arrived at `arrivedMs`
    // (now() when it is 0 or less).
    void follow(Playback::State run, int32_t frame, double speed, qint64 arrivedMs = 0);

    void setFollowing(bool on);
    bool isFollowing() const { return m_following; }
    // Whether a state has come since this follower was made.
    bool hasLeader() const { return m_hasLeader; }

    // The leader's frame as of now.
    int32_t leaderFrame() const;
    qint64 now() const;

    // Brings the playback to the leader's state and frame (the check timer
    // also calls it while the leader runs).
    void catchUp();

Q_SIGNALS:
    void followingChanged(bool on);

private:
    // catchUp(), seeking when this playback is more than `drift` frames off.
    void bringWithin(int32_t drift);

    Playback &m_playback;
    Clock m_clock;
    QTimer m_check;
    bool m_following = true;
    bool m_hasLeader = false;
    Playback::State m_run = Playback::State::Stopped;
    int32_t m_frame = 0;
    double m_speed = 1.0;
    qint64 m_arrivedMs = 0;
};

} // namespace vantrel
