#include "export/EncoderSink.h"

namespace vantrel {

EncoderSink::EncoderSink(VideoDescription description)
    : m_description(std::move(description))
{
}

EncoderSink::~EncoderSink() = default;

QString EncoderSink::extension() const
{
    return VideoEncoder::extension(m_description.codec);
}

FileResult EncoderSink::open(const QString &path, const std::atomic_bool *cancel)
{
    m_description.path = path;
    m_encoder = std::make_unique<VideoEncoder>(m_description, VideoEncoder::Progress(), cancel);
    return m_encoder->open();
}

bool EncoderSink::addFrame(const BgrRows &frame)
{
    return m_encoder && m_encoder->addFrame(frame);
}

FileResult EncoderSink::finish()
{
    if (!m_encoder)
        return FileResult::failure(QStringLiteral("%1: not open").arg(m_description.path));
    return m_encoder->finish();
}

} // namespace vantrel
