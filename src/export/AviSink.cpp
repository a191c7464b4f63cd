#include "export/AviSink.h"

#include "export/JpegWriter.h"
#include "fileio/SafeFile.h"

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

FileResult AviSink::open(const QString &path, const std::atomic_bool *)
{
    m_path = path;
    m_error.clear();
    m_avi = std::make_unique<AviFile>(path);
    m_avi->setRiffLimit(m_riffLimit);
    if (!m_frame.Create(kWidth, kHeight))
        return FileResult::failure(kWriteError + u'\n'
                                   + fileError(path, QStringLiteral("out of memory")));
    AviFile::Format format;
    format.width = kWidth;
    format.height = kHeight;
    format.codec = m_codec;
    format.frameRate = m_frameRate;
    format.maxFrameRate = 64;
    format.suggestedBufferSize = uint32_t(m_frame.sizeImage());
    if (!m_avi->open(format)) {
        FileResult r = FileResult::failure(kWriteError + u'\n' + m_avi->errorString());
        m_avi.reset();
        return r;
    }
    FileResult r;
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
        const FileResult encoded = JpegWriter::encode(m_frame, m_jpeg, m_quality);
        if (!encoded)
            return fail(fileError(m_path, encoded.message));
        bytes = m_jpeg.constData();
        size = m_jpeg.size();
    }
    if (!m_avi->writeFrame(bytes, size))
        return fail(m_avi->errorString());
    return true;
}

FileResult AviSink::finish()
{
    if (!m_avi)
        return FileResult::failure(kWriteError + u'\n'
                                   + fileError(m_path, QStringLiteral("not open")));
    if (m_error.isEmpty() && !m_avi->finish())
        m_error = m_avi->errorString();
    if (m_error.isEmpty())
        return FileResult::success();
    m_avi->cancel();
    return FileResult::failure(kWriteError + u'\n' + m_error);
}

} // namespace vantrel
