#include "export/AviSink.h"

#include "export/JpegWriter.h"
#include "export/SafeFile.h"

#include <algorithm>

namespace vantrel {

namespace {

const QString kWriteError = QStringLiteral("There was an error writing the file.");

} // namespace

AviSink::AviSink(AviCodec codec, int frameRate, int quality)
    : m_codec(codec)
    , m_frameRate(std::clamp(frameRate, 1, 64))
    , m_quality(std::clamp(quality, 1, 100))
{
}

QString AviSink::extension() const
{
    return QStringLiteral(".avi");
}

bool AviSink::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return false;
}

VideoResult AviSink::open(const QString &path, const std::atomic_bool *)
{
    m_path = path;
    m_error.clear();
    m_avi = std::make_unique<AviFile>(path);
    m_avi->setRiffLimit(m_riffLimit);
    if (!m_frame.Create(kWidth, kHeight))
        return VideoResult::failure(kWriteError + u'\n'
                                    + SafeFile::fileError(path, QStringLiteral("out of memory")));
    AviFile::Format format;
    format.width = kWidth;
    format.height = kHeight;
    format.codec = m_codec;
    format.frameRate = m_frameRate;
    format.maxFrameRate = 64;
    format.suggestedBufferSize = uint32_t(m_frame.sizeImage());
    if (!m_avi->open(format)) {
        VideoResult r = VideoResult::failure(kWriteError + u'\n' + m_avi->errorString());
        m_avi.reset();
        return r;
    }
    VideoResult r;
    r.ok = true;
    return r;
}

bool AviSink::addFrame(const BgrRows &frame)
{
    if (!m_avi || !m_error.isEmpty())
        return false;
    m_scaler.stretch(frame, m_frame);
    const char *bytes = reinterpret_cast<const char *>(m_frame.DIBSectionBitsPtr());
    qint64 size = m_frame.sizeImage();
    if (m_codec == AviCodec::MotionJpeg) {
        const ExportResult encoded = JpegWriter::encode(m_frame, m_jpeg, m_quality);
        if (!encoded)
            return fail(SafeFile::fileError(m_path, encoded.message));
        bytes = m_jpeg.constData();
        size = m_jpeg.size();
    }
    if (!m_avi->writeFrame(bytes, size))
        return fail(m_avi->errorString());
    return true;
}

VideoResult AviSink::finish()
{
    if (!m_avi)
        return VideoResult::failure(kWriteError + u'\n'
                                    + SafeFile::fileError(m_path, QStringLiteral("not open")));
    if (m_error.isEmpty() && !m_avi->finish())
        m_error = m_avi->errorString();
    VideoResult r;
    r.framesWritten = m_avi->frameCount();
    if (!m_error.isEmpty()) {
        m_avi->cancel();
        r.message = kWriteError + u'\n' + m_error;
        r.icon = ResultIcon::Information;
    } else {
        r.ok = true;
    }
    return r;
}

} // namespace vantrel
