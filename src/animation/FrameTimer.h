#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace vantrel {

// Paces playback at 64 frames a second, the pace for which the speeds of 3, 8
// and 20 twips a frame were made. It counts no frames of its own: it emits
// frame() whenever one is due, judged from the time the current stretch of
// running has lasted rather than from the number of timer events, so a run
// never drifts however long a frame takes; a late timer catches up with a few
// frames at once. The frame number is the business of whoever follows it.
class FrameTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int FramesPerSecond = 64;
    // At most this many frames in one timer event; a run further behind (a
    // machine that was suspended, a debugger) skips the rest instead of
    // freezing the window while it catches up.
    static constexpr int MaxCatchUp = 8;

    using Clock = std::function<qint64()>; // monotonic nanoseconds

    // With a `clock` the timer never schedules itself: the owner moves the
    // clock and calls catchUp() (tests, a host that paces frames itself).
    explicit FrameTimer(QObject *parent = nullptr, Clock clock = {});

    // Begins a stretch of running: the first frame is due one frame from now.
    void start();
    // Ends the stretch; nothing is due until the next start().
    void stop();
    bool isActive() const { return m_running; }

    // Frames a second relative to 64 (0.25 to 4 and so on), from now on.
    void setSpeed(double factor);
    double speed() const { return m_speed; }

    // Emits every frame that is due by now (at most MaxCatchUp) and schedules
    // the next timer event for the next frame's due time.
    void catchUp();

    // Frames due after `elapsedNs` of running at `speed`.
    static qint64 framesDue(qint64 elapsedNs, double speed = 1.0);

signals:
    void frame();

private:
    qint64 now() const;
    void rebase();
    void scheduleNext();

    Clock m_clock;
    QElapsedTimer m_elapsed;
    QTimer m_timer;
    bool m_running = false;
    double m_speed = 1.0;
    qint64 m_segmentStart = 0;  // now() when the current stretch began
    qint64 m_segmentFrames = 0; // frames emitted in that stretch
};

// The playback clock's text: whole minutes, at least two digits, ":", seconds
// in two digits ("01:05", "100:05").
QString clockText(int seconds);

} // namespace vantrel
