#pragma once

#include "export/FrameScaler.h"
#include "fileio/FileResult.h"

#include <QString>

#include <atomic>

namespace vantrel {

// Where SAVE's frames go: one video file being written. The recorded frames
// are read once, in order, and handed to a sink (VideoSave.h); each format
// is a sink of its own (AviSink, EncoderSink), so a new format is a new
// class. A sink given up before finish() leaves no file behind.
class VideoSink
{
public:
    virtual ~VideoSink() = default;

    // The extension a file of this format ends in: ".avi", ".mp4", ".gif".
    virtual QString extension() const = 0;
    // Frames a second the video plays at. Frames recorded faster are thinned
    // to this pace before they reach the sink.
    virtual int frameRate() const = 0;

    // Starts the file at `path` (taken as given). `cancel` is looked at
    // during long steps of the sink's own.
    virtual FileResult open(const QString &path, const std::atomic_bool *cancel) = 0;
    // One frame as recorded (any size: the sink scales it). False once the
    // write has failed or been cancelled; finish() then says which.
    virtual bool addFrame(const BgrRows &frame) = 0;
    // Completes the file and puts it in place.
    virtual FileResult finish() = 0;
};

} // namespace vantrel
