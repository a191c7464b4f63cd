#include "animation/PlayFollower.h"

#include "animation/FrameTimer.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantrel {

namespace {

// How often a running follower checks its drift: a few frames at most.
constexpr int kCheckMs = 100;

} // namespace

qint64 PlayFollower::steadyMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

PlayFollower::PlayFollower(Playback &playback, QObject *parent, Clock clock)
    : QObject(parent)
    , m_playback(playback)
    , m_clock(clock ? std::move(clock) : Clock(steadyMs))
{
    m_check.setInterval(kCheckMs);
    connect(&m_check, &QTimer::timeout, this, &PlayFollower::catchUp);
}

qint64 PlayFollower::now() const
{
    return m_clock();
}

void PlayFollower::follow(Playback::State run, int32_t frame, double speed, qint64 arrivedMs)
{
    speed = speed > 0 && std::isfinite(speed) ? speed : 1.0;
    // The leader's run or speed changed: its frame timer starts afresh, and so
    // does ours, so land on its frame exactly. A frame of lag let through here
    // would add to the travel time at every change.
    const bool changed = !m_hasLeader || run != m_run || speed != m_speed;
    m_hasLeader = true;
    m_run = run;
    // A stopped run is rewound, whatever frame the leader was at.
    m_frame = run == Playback::State::Stopped ? 0 : std::max(frame, 0);
    m_speed = speed;
    m_arrivedMs = arrivedMs > 0 ? arrivedMs : now();
    if (m_following)
        bringWithin(changed ? 0 : kMaxDrift);
}

int32_t PlayFollower::leaderFrame() const
{
    if (m_run != Playback::State::Running)
        return m_frame;
    const qint64 elapsedNs = std::max<qint64>(now() - m_arrivedMs, 0) * 1'000'000;
    const qint64 frame = m_frame + FrameTimer::framesDue(elapsedNs, m_speed);
    return int32_t(std::min<qint64>(frame, Playback::kMaxFrames * 100));
}

void PlayFollower::setFollowing(bool on)
{
    if (on == m_following)
        return;
    m_following = on;
    if (on)
        catchUp();
    else
        m_check.stop();
    Q_EMIT followingChanged(on);
}

void PlayFollower::catchUp()
{
    bringWithin(kMaxDrift);
}

void PlayFollower::bringWithin(int32_t drift)
{
    if (!m_following || !m_hasLeader)
        return;
    m_playback.setSpeed(m_speed);
    const int32_t target = leaderFrame();
    switch (m_run) {
    case Playback::State::Stopped:
        m_check.stop();
        m_playback.stop();
        return;
    case Playback::State::Paused:
        m_check.stop();
        if (m_playback.state() == Playback::State::Running)
            m_playback.pause();
        if (m_playback.isStopped() || m_playback.frame() != target)
            m_playback.seekTo(target);
        return;
    case Playback::State::Running:
        if (m_playback.isStopped())
            m_playback.play();
        else if (m_playback.isPaused())
            m_playback.pause(); // resumes
        if (std::abs(m_playback.frame() - target) > drift)
            m_playback.seekTo(target);
        if (!m_check.isActive())
            m_check.start();
        return;
    }
}

} // namespace vantrel
