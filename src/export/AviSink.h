#pragma once

#include "export/AviFile.h"
#include "export/VideoSink.h"
#include "export/cDIBSection.h"

#include <QByteArray>

#include <memory>

namespace vantrel {

// An AVI video of 800 x 600 key frames, each frame stretched smoothly to that
// size and stored as it is (uncompressed DIB) or as Motion JPEG.
class AviSink : public VideoSink
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    // `frameRate` is forced into 1..64; `quality` (1..100) is Motion JPEG's.
    AviSink(AviCodec codec, int frameRate, int quality = 90);

    // Parts of at most this many bytes before the file goes on as OpenDML.
    void setRiffLimit(qint64 bytes) { m_riffLimit = bytes; }

    QString extension() const override;
    int frameRate() const override { return m_frameRate; }
    FileResult open(const QString &path, const std::atomic_bool *cancel) override;
    bool addFrame(const BgrRows &frame) override;
    FileResult finish() override;

    bool isOpenDml() const { return m_avi && m_avi->isOpenDml(); }

private:
    bool fail(const QString &reason);

    AviCodec m_codec;
    int m_frameRate;
    int m_quality;
    qint64 m_riffLimit = AviFile::kRiffLimit;
    std::unique_ptr<AviFile> m_avi;
    QString m_path;
    FrameScaler m_scaler;
    cDIBSection m_frame;
    QByteArray m_jpeg;
    QString m_error;
};

} // namespace vantrel
