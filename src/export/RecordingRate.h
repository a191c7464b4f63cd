#pragma once

#include <cstdint>

namespace vantrel::RecordingRate {

// A recording captures every ninth frame of the 64 a second that playback
// runs at (frames 1, 10, 19, ...): 64 / 9 rounded is the 11 frames a second
// at which those frames are played back as a video.
constexpr int32_t kFrameStep = 9;
constexpr int kFramesPerSecond = 11;
// Full motion captures every frame and plays them back at the playback's pace.
constexpr int kFullMotionFramesPerSecond = 64;

} // namespace vantrel::RecordingRate
