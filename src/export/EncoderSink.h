#pragma once

#include "export/VideoEncoder.h"
#include "export/VideoSink.h"

#include <memory>

namespace vantrel {

// An MP4 (H.264) or an animated GIF through FFmpeg's libraries.
class EncoderSink : public VideoSink
{
public:
    // The description's path is set by open().
    explicit EncoderSink(VideoDescription description);
    ~EncoderSink() override;

    QString extension() const override;
    int frameRate() const override { return m_description.frameRate; }
    FileResult open(const QString &path, const std::atomic_bool *cancel) override;
    bool addFrame(const BgrRows &frame) override;
    FileResult finish() override;

private:
    VideoDescription m_description;
    std::unique_ptr<VideoEncoder> m_encoder;
};

} // namespace vantrel
