#pragma once

#include "export/VideoEncoder.h"

#include <QString>

#include <atomic>
#include <functional>

namespace vantrel {

// The recorded frames written as an MP4 or a GIF.
struct RecordingVideoResult : VideoResult
{
    int replacedFrames = 0; // frame files that could not be read: the previous frame stands in
};

// SAVE's work for MP4 and GIF: the frame files 1..lCaptura of the frame folder,
// captured at `capturedRate` frames a second (11, or 64 in full motion),
// written through the video encoder to `typedName` with the codec's extension
// added when missing. A video slower than the capture keeps every n-th frame
// (64 captured, 32 written: every second), so it plays at the pace of the
// playback. The frame folder is emptied after a success or a cancel; after a
// failure the frames stay for another try.
RecordingVideoResult saveRecordingVideo(const QString &typedName, int lCaptura, int capturedRate,
                                        VideoDescription description,
                                        const std::function<void(int percent)> &progress = {},
                                        const std::atomic_bool *cancel = nullptr);

// `typedName` with the codec's extension (".mp4", ".gif") unless it ends in it.
QString videoFileName(const QString &typedName, VideoCodec codec);

} // namespace vantrel
