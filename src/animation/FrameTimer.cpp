#include "animation/FrameTimer.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {
constexpr qint64 NsPerSecond = 1'000'000'000;
}

FrameTimer::FrameTimer(QObject *parent, Clock clock)
    : QObject(parent)
    , m_clock(std::move(clock))
{
    m_elapsed.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FrameTimer::catchUp);
}

qint64 FrameTimer::now() const
{
    return m_clock ? m_clock() : m_elapsed.nsecsElapsed();
}

qint64 FrameTimer::framesDue(qint64 elapsedNs, double speed)
{
    if (elapsedNs <= 0 || speed <= 0)
        return 0;
    return qint64(std::floor(double(elapsedNs) * FramesPerSecond * speed / NsPerSecond));
}

void FrameTimer::start()
{
    if (m_running)
        return;
    m_running = true;
    rebase();
    scheduleNext();
}

void FrameTimer::stop()
{
    m_running = false;
    m_timer.stop();
}

void FrameTimer::setSpeed(double factor)
{
    if (factor <= 0 || factor == m_speed)
        return;
    m_speed = factor;
    if (m_running) {
        rebase();
        scheduleNext();
    }
}

void FrameTimer::rebase()
{
    m_segmentStart = now();
    m_segmentFrames = 0;
}

void FrameTimer::catchUp()
{
    if (!m_running)
        return;
    const qint64 due = framesDue(now() - m_segmentStart, m_speed);
    for (int n = 0; n < MaxCatchUp && m_segmentFrames < due; ++n) {
        ++m_segmentFrames;
        emit frame();
        if (!m_running) // a handler stopped or paused the run
            return;
    }
    if (m_segmentFrames < due)
        rebase(); // too far behind: go on from here rather than race
    scheduleNext();
}

void FrameTimer::scheduleNext()
{
    if (!m_running || m_clock) // a test's clock drives catchUp() itself
        return;
    const double nsPerFrame = NsPerSecond / (FramesPerSecond * m_speed);
    const qint64 nextDue
        = m_segmentStart + qint64(std::ceil(double(m_segmentFrames + 1) * nsPerFrame));
    const qint64 waitNs = std::max<qint64>(0, nextDue - now());
    m_timer.start(int((waitNs + 999'999) / 1'000'000));
}

QString clockText(int seconds)
{
    seconds = std::max(0, seconds);
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace vantrel
