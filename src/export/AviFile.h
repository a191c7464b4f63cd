#pragma once

#include <QSaveFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace vantrel {

// The codecs a video can be written with.
enum class AviCodec { Uncompressed, MotionJpeg };

// The name the codec choice shows: "Full Frames (Uncompressed)", "Motion JPEG".
QString aviCodecName(AviCodec codec);

// A RIFF AVI file with one video stream whose every frame is a key frame,
// written front to back: the headers, the frames, and the idx1 index. Past
// `riffLimit` bytes (1 GiB) the file goes on as an OpenDML (AVI 2.0) file:
// further RIFF 'AVIX' parts, a standard index per part and a super index in
// the stream header, so players find every frame of a long recording. The
// file is written under a temporary name and renamed into place by finish().
class AviFile
{
public:
    struct Format
    {
        int width = 0;
        int height = 0;
        AviCodec codec = AviCodec::Uncompressed;
        int frameRate = 1;                // frames per second (the scale is 1)
        int maxFrameRate = 30;            // the rate is forced into 1..this; 64 for full motion
        uint32_t suggestedBufferSize = 0; // the stream header's
    };

    static constexpr qint64 kRiffLimit = qint64(1) << 30;

    explicit AviFile(const QString &path);
    ~AviFile();
    AviFile(const AviFile &) = delete;
    AviFile &operator=(const AviFile &) = delete;

    // Parts of at most this many bytes (tests use small ones).
    void setRiffLimit(qint64 bytes) { m_riffLimit = bytes; }

    bool open(const Format &format);
    // One frame: the pixels of a bottom-up 24-bit DIB, or one JPEG picture.
    bool writeFrame(const char *data, qint64 size);
    // Completes the headers and indexes and renames the file into place.
    bool finish();
    // Drops the temporary file; nothing is left behind.
    void cancel();

    int frameCount() const { return int(m_frames.size()); }
    bool isOpenDml() const { return m_parts.size() > 1; }
    QString errorString() const;

private:
    struct Frame
    {
        qint64 offset; // of the chunk header
        uint32_t size;
    };
    struct Part
    {
        qint64 riffStart;  // the RIFF header
        qint64 moviStart;  // the 'movi' four-character code
        size_t firstFrame; // index into m_frames
        qint64 indexStart = 0;
        uint32_t indexSize = 0;
    };

    bool write(const QByteArray &bytes);
    bool patch(qint64 at, const QByteArray &bytes);
    bool startPart();
    bool endPart(bool last);
    qint64 projectedPartSize(qint64 chunkBytes) const;
    QByteArray mainHeader(uint32_t totalFrames) const;
    QByteArray streamHeader(uint32_t length) const;
    QByteArray streamFormat() const;
    QByteArray superIndex() const;
    QByteArray odmlHeader() const;
    bool fail(const QString &reason);
    void startWriteback();

    QSaveFile m_file;
    Format m_format;
    qint64 m_riffLimit = kRiffLimit;
    qint64 m_pos = 0;
    qint64 m_writtenBack = 0; // the file up to here is on its way to the disk
    qint64 m_hdrlStart = 0;
    qint64 m_superIndexAt = 0;
    qint64 m_odmlAt = 0;
    std::vector<Frame> m_frames;
    std::vector<Part> m_parts;
    uint32_t m_largestFrame = 0;
    uint32_t m_firstPartFrames = 0;
    QString m_error;
    bool m_open = false;
};

} // namespace vantrel
