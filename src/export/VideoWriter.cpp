#include "export/VideoWriter.h"

#include "export/BmpFile.h"
#include "export/FileNames.h"
#include "export/FrameFolder.h"
#include "export/FrameScaler.h"
#include "export/JpegWriter.h"
#include "export/SafeFile.h"
#include "export/cDIBSection.h"
#include "export/cDib.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

const QString kFirstFrameError = QStringLiteral("Could not load first bitmap file in list!");
const QString kWriteError = QStringLiteral("There was an error writing the file.");

BgrRows rowsOf(const cDib &dib)
{
    return {dib.PointerToBits(), dib.Width(), dib.pixelHeight(), dib.stride(), dib.isBottomUp()};
}

// Reads a frame file and stretches it into `frame` (800 × 600).
bool loadFrame(const QString &path, cDIBSection &frame)
{
    cDib dib;
    if (!dib.CreateFromFile(path))
        return false;
    if (dib.BitCount() == 24) {
        stretchInto(rowsOf(dib), frame);
        return true;
    }
    cDIBSection converted;
    if (!converted.CreateFromPicture(dib.toImage()))
        return false;
    stretchInto({converted.DIBSectionBitsPtr(), converted.Width(), converted.Height(),
                 converted.BytesPerScanLine(), true},
                frame);
    return true;
}

// The first frame, stretched (black when there are no frames), is written as
// temp.bmp and read back: the stream's format is that bitmap's, and a first
// frame that cannot make the trip ends the save before anything is written.
bool probeFirstFrame(const AviDescription &d, cDIBSection &frame)
{
    if (!d.frameFiles.isEmpty() && !loadFrame(d.frameFiles.first(), frame))
        return false;
    if (d.tempBitmap.isEmpty())
        return true;
    cDib check;
    return BmpFile::write(d.tempBitmap, frame) && check.CreateFromFile(d.tempBitmap)
           && check.Width() == frame.Width() && check.pixelHeight() == frame.Height();
}

class FrameEncoder
{
public:
    FrameEncoder(AviCodec codec, int quality)
        : m_codec(codec)
        , m_quality(quality)
    {
    }
    bool encode(const cDIBSection &frame)
    {
        if (m_codec == AviCodec::Uncompressed) {
            m_bytes = QByteArray::fromRawData(
                reinterpret_cast<const char *>(frame.DIBSectionBitsPtr()), frame.sizeImage());
            return true;
        }
        return bool(JpegWriter::encode(frame, m_bytes, m_quality));
    }
    const QByteArray &bytes() const { return m_bytes; }

private:
    AviCodec m_codec;
    int m_quality;
    QByteArray m_bytes;
};

} // namespace

AviResult WriteAVI(const AviDescription &d, const VideoProgress &progress,
                   const std::atomic_bool *cancel)
{
    AviResult result;
    auto failed = [&](const QString &message, ResultIcon icon, const QString &detail) {
        result.ok = false;
        result.message = message;
        result.icon = icon;
        result.detail = detail;
        return result;
    };

    AviFile avi(d.fileName);
    avi.setRiffLimit(d.riffLimit);
    cDIBSection frame;
    frame.Create(kVideoWidth, kVideoHeight);
    if (!probeFirstFrame(d, frame))
        return failed(kFirstFrameError, ResultIcon::Exclamation,
                      d.frameFiles.isEmpty() ? d.tempBitmap : d.frameFiles.first());

    AviFile::Format format;
    format.width = kVideoWidth;
    format.height = kVideoHeight;
    // An empty video is written uncompressed whatever the choice: a Motion
    // JPEG stream states its pixel format only in its frames, so readers
    // would find an empty one undecodable.
    format.codec = d.frameFiles.isEmpty() ? AviCodec::Uncompressed : d.codec;
    format.frameRate = d.frameRate;
    format.suggestedBufferSize = uint32_t(frame.sizeImage());
    if (!avi.open(format))
        return failed(kWriteError, ResultIcon::Information, avi.errorString());

    FrameEncoder encoder(d.codec, std::clamp(d.quality, 1, 100));
    const int count = int(d.frameFiles.size());
    for (int k = 1; k <= count; ++k) {
        if (cancel && cancel->load()) {
            avi.cancel();
            result.cancelled = true;
            return result;
        }
        // Frame 1 is already in `frame`; a frame that cannot be read keeps
        // the previous one, whose encoding is still at hand.
        bool fresh = k == 1;
        if (k > 1) {
            fresh = loadFrame(d.frameFiles.at(k - 1), frame);
            if (!fresh)
                ++result.replacedFrames;
        }
        if (fresh && !encoder.encode(frame)) {
            avi.cancel();
            return failed(
                kWriteError, ResultIcon::Information,
                SafeFile::fileError(d.fileName, QStringLiteral("a frame could not be encoded")));
        }
        if (!avi.writeFrame(encoder.bytes().constData(), encoder.bytes().size())) {
            avi.cancel();
            return failed(kWriteError, ResultIcon::Information, avi.errorString());
        }
        ++result.framesWritten;
        if (progress)
            progress(int(std::lround(100.0 * k / count)));
    }
    if (!avi.finish()) {
        avi.cancel();
        return failed(kWriteError, ResultIcon::Information, avi.errorString());
    }
    result.ok = true;
    return result;
}

AviResult saveRecording(const QString &typedName, int lCaptura, AviCodec codec, int quality,
                        const VideoProgress &progress, const std::atomic_bool *cancel)
{
    AviDescription d;
    d.fileName = FileNames::withAviExtension(typedName);
    d.frameFiles = FrameFolder::framePaths(std::max(0, lCaptura));
    d.frameRate = kRecordingFrameRate;
    d.codec = codec;
    d.quality = quality;
    d.tempBitmap = FrameFolder::tempBitmapPath();
    const AviResult result = WriteAVI(d, progress, cancel);
    if (result.ok || result.cancelled)
        FrameFolder::empty();
    return result;
}

QString replacedFramesNotice(int replaced)
{
    if (replaced <= 0)
        return {};
    if (replaced == 1)
        return QStringLiteral("1 frame could not be read; the frame before it was used instead.");
    return QStringLiteral("%1 frames could not be read; the frame before each was used instead.")
        .arg(replaced);
}

} // namespace vantrel
