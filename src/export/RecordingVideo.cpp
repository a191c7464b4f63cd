#include "export/RecordingVideo.h"

#include "export/FileNames.h"
#include "export/FrameFolder.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {
// What stands in for a first frame that cannot be read: black, the video's size.
const QSize kFallbackSize{800, 600};
} // namespace

// The extension follows the choice: a typed name that ends in another video
// extension has it replaced, any other name gets the extension appended.
QString nameWithExtension(const QString &typedName, const QString &extension)
{
    QString name = typedName;
    for (const char *other : {".avi", ".mp4", ".gif"})
        if (name.endsWith(QLatin1String(other), Qt::CaseInsensitive)
            && extension.compare(QLatin1String(other), Qt::CaseInsensitive) != 0) {
            name.chop(4);
            break;
        }
    return FileNames::withExtension(name, extension);
}

QString videoFileName(const QString &typedName, VideoCodec codec)
{
    return nameWithExtension(typedName, VideoEncoder::extension(codec));
}

RecordingVideoResult saveRecordingVideo(const QString &typedName, int lCaptura, int capturedRate,
                                        VideoDescription description,
                                        const std::function<void(int percent)> &progress,
                                        const std::atomic_bool *cancel)
{
    description.path = videoFileName(typedName, description.codec);
    // 32 of 64 captured keeps every second frame; a GIF at 64 thins itself.
    const int keepEvery
        = description.frameRate > 0 ? std::max(1, capturedRate / description.frameRate) : 1;
    const int count = std::max(0, lCaptura);
    const int gifKeeps = description.codec == VideoCodec::Gif && description.frameRate > 50 ? 2 : 1;
    const int planned = std::max(1, (count + keepEvery * gifKeeps - 1) / (keepEvery * gifKeeps));
    VideoEncoder encoder(
        description,
        [&](int written, int) {
            if (progress)
                progress(std::min(100, int(std::lround(100.0 * written / planned))));
        },
        cancel);
    RecordingVideoResult result;
    static_cast<VideoResult &>(result) = encoder.open();
    if (!result.ok)
        return result;
    QImage previous;
    for (int k = 1; k <= count; k += keepEvery) {
        QImage frame(FrameFolder::framePath(k), "BMP");
        if (frame.isNull()) {
            ++result.replacedFrames;
            frame = previous.isNull() ? QImage(kFallbackSize, QImage::Format_RGB32) : previous;
            if (previous.isNull())
                frame.fill(Qt::black);
        }
        if (!encoder.addFrame(frame))
            break;
        previous = frame;
    }
    const int replaced = result.replacedFrames;
    static_cast<VideoResult &>(result) = encoder.finish();
    result.replacedFrames = replaced;
    if (result.ok || result.cancelled)
        FrameFolder::empty();
    return result;
}

} // namespace vantrel

namespace vantrel {

AviResult saveRecordingAs(const QString &typedName, int lCaptura, int capturedRate,
                          const RecordingFormat &format, const VideoProgress &progress,
                          const std::atomic_bool *cancel)
{
    if (format.container == RecordingFormat::Container::Avi)
        return saveRecording(nameWithExtension(typedName, QStringLiteral(".avi")), lCaptura,
                             format.aviCodec, format.aviQuality, progress, cancel, capturedRate);
    const RecordingVideoResult written
        = saveRecordingVideo(typedName, lCaptura, capturedRate, format.video, progress, cancel);
    AviResult result;
    result.ok = written.ok;
    result.cancelled = written.cancelled;
    result.message = result.detail = written.message;
    result.icon = written.ok ? ResultIcon::None : ResultIcon::Information;
    result.framesWritten = written.frames;
    result.replacedFrames = written.replacedFrames;
    return result;
}

} // namespace vantrel
