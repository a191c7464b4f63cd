#pragma once

#include "animation/FrameTimer.h"
#include "animation/MovementEngines.h"

#include <QObject>

#include <cstdint>

namespace vantrel {

class MovingSprite;
class StratDocument;

// What a run moves: the pictures of a strat's objects, by object number. The
// strat window hands its scene items; a headless host may hand bare sprites.
class PlaybackSprites
{
public:
    virtual ~PlaybackSprites() = default;
    // The picture of object `object` (1-based), or null when it has none.
    virtual MovingSprite *sprite(int object) = 0;
    // The object starts a run hidden and shows when its first leg starts
    // (the grenade boxes).
    virtual bool hiddenAtStart(int object) const = 0;
};

// The playback of one strat: the run state, the frame count, the clock, the
// frame timer and the movement engines. Every frame steps each engine once,
// then counts the frame, then advances every engine's lFrame; stop rewinds
// the objects and the engines. The clock is the strat's own time, frames / 64,
// so a frame shows the same time at any speed and after any jump. Nothing
// here knows a widget: the strat window, the main window's strip, the
// recorder and a remote leader all drive it and follow its signals.
class Playback : public QObject
{
    Q_OBJECT

public:
    enum class State { Stopped, Running, Paused };

    // `keepCountingFrames` is the application's KCFrames flag (may be null).
    // With a `clock` the frame timer never schedules itself (see FrameTimer).
    Playback(const StratDocument &document, const bool *keepCountingFrames,
             PlaybackSprites &sprites, QObject *parent = nullptr, FrameTimer::Clock clock = {});
    ~Playback() override;

    State state() const { return m_state; }
    bool isStopped() const { return m_state == State::Stopped; }
    bool isPaused() const { return m_state == State::Paused; }
    // Frames played since the last stop.
    int32_t frame() const { return m_frame; }
    // Whole seconds of strat time at the current frame.
    int seconds() const { return int(m_frame / FrameTimer::FramesPerSecond); }

    // Starts a stopped run, resumes a paused one.
    void play();
    // Pauses a run or resumes a paused one; nothing on a stopped run.
    void pause();
    // Ends the run and rewinds: objects back on their places and shown,
    // engines at their first way point, frame 0.
    void stop();
    // Play when stopped, stop otherwise (the play button and F2).
    void toggle();
    // A run from frame 0, whatever the state (a recording's start).
    void restart();
    // Jumps to `frame` by replaying every engine from a stop, so frame N
    // always looks like N frames from a stop; a stopped run becomes a paused
    // run at that frame, a running or paused one keeps its state.
    void seekTo(int32_t frame);
    // One frame, whatever the state (the frame timer's tick).
    void step();

    // Frames a second relative to 64; kept across runs.
    void setSpeed(double factor);
    double speed() const { return m_timer.speed(); }

    // The last frame that moves or shows anything when the strat plays from a
    // stop (0 for a strat without movement), looking at most kMaxFrames ahead.
    int32_t restingFrame() const;
    static constexpr int32_t kMaxFrames = 100'000;

    MovementEngines &engines() { return m_engines; }
    const MovementEngines &engines() const { return m_engines; }
    // The pace of a run; exposed for hosts that tick frames themselves.
    FrameTimer &timer() { return m_timer; }

Q_SIGNALS:
    void stateChanged(Playback::State state);
    // The frame count changed: a frame, a stop or a jump.
    void frameChanged(int32_t frame);
    // The end of a frame that the run played (not a stop or a jump): what a
    // recorder captures.
    void frameStepped(int32_t frame);
    // The whole seconds of the clock changed.
    void secondsChanged(int seconds);
    // A stop is about to rewind the objects (they still stand where the run
    // left them).
    void aboutToRewind();
    // The speed changed; and a jump (seekTo) landed on `frame`. What a
    // shared board tells its followers besides the run state.
    void speedChanged(double factor);
    void jumped(int32_t frame);

private:
    void setState(State state);
    void setFrame(int32_t frame);
    // Sets every sprite on its stored place, shown unless hidden at start.
    void placeAtStart(bool hideLateOnes);

    const StratDocument &m_document;
    PlaybackSprites &m_sprites;
    MovementEngines m_engines;
    FrameTimer m_timer;
    State m_state = State::Stopped;
    int32_t m_frame = 0;
};

} // namespace vantrel
