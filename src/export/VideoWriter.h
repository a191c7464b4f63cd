#pragma once

#include "export/AviFile.h"
#include "export/ExportResult.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace vantrel {

// What to write: the recorded frame files, in order, as one AVI video.
struct AviDescription
{
    QString fileName;       // the target, taken as given (the ".avi" rule is the caller's)
    QStringList frameFiles; // FrameFolder::framePaths(lCaptura)
    int frameRate = 11;     // forced into 1..30
    AviCodec codec = AviCodec::MotionJpeg;
    int quality = 90; // Motion JPEG only
    // Where the first frame, stretched, is written and read back to fix the
    // stream's format (FrameFolder::tempBitmapPath()); empty: kept in memory.
    QString tempBitmap;
    qint64 riffLimit = AviFile::kRiffLimit; // bytes per RIFF part
};

struct AviResult : ExportResult
{
    bool cancelled = false; // stopped through the cancel flag: silent, no file
    QString detail;         // on failure: the file and the reason, for logs and the cli
    int framesWritten = 0;  // frames in the video
    int replacedFrames = 0; // frame files that could not be read: the previous frame stands in
};

// Every frame of a video is stretched to this size.
constexpr int kVideoWidth = 800;
constexpr int kVideoHeight = 600;

// Called after each frame with the percentage done (k / count × 100, rounded).
using VideoProgress = std::function<void(int percent)>;

// Writes the video: each frame file read as a bitmap, stretched smoothly to
// 800 × 600, written as a key frame (raw DIB or Motion JPEG), with the idx1
// index and OpenDML past 1 GiB; the file appears only when whole. A frame
// file that is missing or unreadable is replaced by the previous frame and
// counted. Messages: "Could not load first bitmap file in list!" when the
// first frame cannot be had, "There was an error writing the file." for any
// other failure. No frames give a valid video with no frames.
AviResult WriteAVI(const AviDescription &description, const VideoProgress &progress = {},
                   const std::atomic_bool *cancel = nullptr);

// The frame rate SAVE writes.
constexpr int kRecordingFrameRate = 11;

// SAVE's work: the recorded frame files 1..lCaptura of the frame folder
// written to `typedName` (".avi" appended by the name rule) at 11 frames a
// second, temp.bmp in the program folder. The frame folder is emptied
// afterwards, unless the write failed: then the frames stay for another try.
AviResult saveRecording(const QString &typedName, int lCaptura,
                        AviCodec codec = AviCodec::MotionJpeg, int quality = 90,
                        const VideoProgress &progress = {},
                        const std::atomic_bool *cancel = nullptr);

// What a window tells the user after a video whose `replaced` frame files had
// to be replaced; empty when none were.
QString replacedFramesNotice(int replaced);

} // namespace vantrel
