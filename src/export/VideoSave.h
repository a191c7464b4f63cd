#pragma once

#include "export/RecordingRate.h"
#include "export/VideoSink.h"
#include "fileio/FileResult.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace vantrel {

// SAVE of a recording, for every format: the recorded frame files are read
// once, in order, into a sink. One rule for the name, one for frames that
// cannot be read, one result.

// The frames of a recording.
struct RecordedFrames
{
    QStringList files; // in order
    int capturedRate = RecordingRate::kFramesPerSecond;

    // Frame files 1..count of the frame folder, captured at `capturedRate`.
    static RecordedFrames inFrameFolder(int count, int capturedRate);
};

// Called after each frame read with the percentage done.
using VideoProgress = std::function<void(int percent)>;

// The file SAVE writes for a typed name: the sink's extension is kept when
// the name ends in it (in any case), takes the place of another video
// extension (".avi", ".mp4", ".gif"), and is appended otherwise.
QString videoFileName(const QString &typedName, const VideoSink &sink);

// What SAVE says of a recording without frames.
QString noFramesMessage();

// Writes `frames` into `sink` as the file `path` (taken as given). Frames
// recorded faster than the sink's rate are thinned to it (64 a second written
// at 32: every second one). A frame file that cannot be read is replaced by
// the frame before it; a first one that cannot be read ends the save with
// "Could not load first bitmap file in list!". No frames, or a target that is
// not a regular file: nothing is written. The frame files are left as they
// are. A success whose frames stood in for others carries a notice saying
// how many; a cancel is a failure without a message.
FileResult writeVideo(const RecordedFrames &frames, VideoSink &sink, const QString &path,
                      const VideoProgress &progress = {}, const std::atomic_bool *cancel = nullptr);

// What a window tells the user after a video whose `replaced` frame files had
// to be replaced; empty when none were.
QString replacedFramesNotice(int replaced);

} // namespace vantrel
