#pragma once

#include "export/AviFile.h"
#include "export/VideoEncoder.h"
#include "export/VideoWriter.h"

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

// What SAVE writes: one of the two AVI codecs, or MP4 or GIF.
struct RecordingFormat
{
    enum class Container { Avi, Encoded };
    Container container = Container::Avi;
    AviCodec aviCodec = AviCodec::MotionJpeg;
    int aviQuality = 90;    // Motion JPEG
    VideoDescription video; // MP4 and GIF; its path is set from the typed name
};

// SAVE for any format: the AVI rule and writer for the AVI codecs, the
// encoder for MP4 and GIF, with the file's extension following the choice.
// The result is an AviResult either way (message, detail, replaced frames).
AviResult saveRecordingAs(const QString &typedName, int lCaptura, int capturedRate,
                          const RecordingFormat &format, const VideoProgress &progress = {},
                          const std::atomic_bool *cancel = nullptr);

// `typedName` with the codec's extension (".mp4", ".gif"): kept when it ends
// in it, in place of another video extension (".avi", ".gif", ".mp4"), else
// appended.
QString videoFileName(const QString &typedName, VideoCodec codec);
QString nameWithExtension(const QString &typedName, const QString &extension);

} // namespace vantrel
