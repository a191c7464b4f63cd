#pragma once

#include "animation/Playback.h"
#include "board/BoardClient.h"

namespace vantrel {

// The run state of a playback as the board carries it, and back.
inline BoardPlay::Run boardRunOf(Playback::State state)
{
    switch (state) {
    case Playback::State::Running:
        return BoardPlay::Run::Running;
    case Playback::State::Paused:
        return BoardPlay::Run::Paused;
    case Playback::State::Stopped:
        break;
    }
    return BoardPlay::Run::Stopped;
}

inline Playback::State playbackStateOf(BoardPlay::Run run)
{
    switch (run) {
    case BoardPlay::Run::Running:
        return Playback::State::Running;
    case BoardPlay::Run::Paused:
        return Playback::State::Paused;
    case BoardPlay::Run::Stopped:
        break;
    }
    return Playback::State::Stopped;
}

} // namespace vantrel
