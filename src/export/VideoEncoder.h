#pragma once

#include "export/FrameScaler.h"
#include "export/RecordingRate.h"
#include "fileio/FileResult.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace vantrel {

enum class VideoCodec { H264, Gif };

// What to write: an MP4 with H.264 in yuv420p, or a looping animated GIF.
struct VideoDescription
{
    QString path;
    VideoCodec codec = VideoCodec::H264;
    // 1 to 64: 11 for the recording, 32 or 64 for full motion. A GIF above 50
    // keeps every second frame (64 is written as 32), as browsers play no faster.
    int frameRate = RecordingRate::kFramesPerSecond;
    QSize size{800, 600}; // GIF: 800 x 600 or 400 x 300
    int quality = 20;     // H.264 constant rate factor, 0 (lossless) to 51
    // H.264 speed against size, as x264 names it ("ultrafast" to "veryslow");
    // "veryfast" keeps up with a 64 fps capture where "medium" may not.
    QString preset = QStringLiteral("medium");
};

// Writes a video from pictures given one at a time, through FFmpeg's
// libraries. Each picture is scaled to the video's size. The file is written
// under a temporary name in the target's folder and renamed into place when
// whole. An encoder is used from one thread at a time.
class VideoEncoder
{
public:
    // Called with frames written to the file and frames taken for it so far;
    // a GIF writes all its frames in finish(), where `given` is the total.
    using Progress = std::function<void(int written, int given)>;

    explicit VideoEncoder(VideoDescription description, Progress progress = {},
                          const std::atomic_bool *cancel = nullptr);
    ~VideoEncoder(); // an encoder never finished removes its temporary file
    VideoEncoder(const VideoEncoder &) = delete;
    VideoEncoder &operator=(const VideoEncoder &) = delete;

    // Checks the description and creates the temporary file.
    FileResult open();
    // False once the export has failed or been cancelled; finish() then says which.
    bool addFrame(const QImage &frame);
    // The same from 24-bit BGR rows, as the recorded frame files hold them.
    bool addFrame(const BgrRows &frame);
    // Writes what is left and renames the file into place. Failed or
    // cancelled, no file is left; a cancel is silent.
    FileResult finish();

    // Pictures handed to addFrame() so far.
    int framesGiven() const;

    // ".mp4" or ".gif", the extension a file name of this codec should end in.
    static QString extension(VideoCodec codec);
    // "h264" or "gif", as a command line names them.
    static std::optional<VideoCodec> codecFromName(const QString &name);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vantrel
