#include "export/AviFile.h"

#include "fileio/SafeFile.h"

#include <QtEndian>

#include <algorithm>

#include <fcntl.h>

namespace vantrel {

QString aviCodecName(AviCodec codec)
{
    return codec == AviCodec::MotionJpeg ? QStringLiteral("Motion JPEG")
                                         : QStringLiteral("Full Frames (Uncompressed)");
}

namespace {

constexpr uint32_t kAvifHasIndex = 0x10;
constexpr uint32_t kAviifKeyFrame = 0x10;
constexpr int kSuperIndexEntries = 256;
constexpr int kSuperIndexBody = 24 + 16 * kSuperIndexEntries;
constexpr int kDmlhBody = 248;
constexpr int kOdmlBody = 4 + 8 + kDmlhBody; // 'odml' + the dmlh chunk
constexpr int kStdIndexHeader = 32;
constexpr int kStdIndexEntry = 8;
constexpr int kIdx1Entry = 16;
// The frames written are handed to the disk every this many bytes.
constexpr qint64 kWritebackStep = qint64(8) << 20;

// Little-endian bytes of a RIFF structure.
class Bytes
{
public:
    Bytes &u8(uint8_t v)
    {
        m_b.append(char(v));
        return *this;
    }
    Bytes &u16(uint16_t v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_b.append(b, 2);
        return *this;
    }
    Bytes &u32(uint32_t v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_b.append(b, 4);
        return *this;
    }
    Bytes &u64(uint64_t v)
    {
        char b[8];
        qToLittleEndian(v, b);
        m_b.append(b, 8);
        return *this;
    }
    Bytes &fourcc(const char *code)
    {
        m_b.append(code, 4);
        return *this;
    }
    Bytes &zeros(int n)
    {
        m_b.append(n, '\0');
        return *this;
    }
    Bytes &bytes(const QByteArray &b)
    {
        m_b.append(b);
        return *this;
    }
    const QByteArray &data() const { return m_b; }
    operator const QByteArray &() const { return m_b; }

private:
    QByteArray m_b;
};

QByteArray chunk(const char *code, const QByteArray &body)
{
    return Bytes().fourcc(code).u32(uint32_t(body.size())).bytes(body);
}

QByteArray list(const char *type, const QByteArray &body)
{
    return Bytes().fourcc("LIST").u32(uint32_t(body.size() + 4)).fourcc(type).bytes(body);
}

} // namespace

AviFile::AviFile(const QString &path)
    : m_file(path)
{
}

AviFile::~AviFile()
{
    if (m_open)
        cancel();
}

QString AviFile::errorString() const
{
    return fileError(m_file.fileName(), m_error);
}

bool AviFile::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return false;
}

bool AviFile::write(const QByteArray &bytes)
{
    if (m_file.write(bytes) != bytes.size())
        return fail(m_file.errorString());
    m_pos += bytes.size();
    return true;
}

bool AviFile::patch(qint64 at, const QByteArray &bytes)
{
    if (!m_file.seek(at) || m_file.write(bytes) != bytes.size() || !m_file.seek(m_pos))
        return fail(m_file.errorString());
    return true;
}

QByteArray AviFile::mainHeader(uint32_t totalFrames) const
{
    const uint32_t rate = uint32_t(m_format.frameRate);
    const uint32_t buffer = std::max(m_largestFrame + 8, m_format.suggestedBufferSize);
    return chunk("avih", Bytes()
                             .u32((1000000 + rate / 2) / rate) // microseconds per frame
                             .u32(buffer * rate)               // largest data rate
                             .u32(0)                           // padding granularity
                             .u32(kAvifHasIndex)
                             .u32(totalFrames) // frames of the first RIFF part
                             .u32(0)           // initial frames
                             .u32(1)           // streams
                             .u32(buffer)
                             .u32(uint32_t(m_format.width))
                             .u32(uint32_t(m_format.height))
                             .zeros(16));
}

QByteArray AviFile::streamHeader(uint32_t length) const
{
    const bool mjpeg = m_format.codec == AviCodec::MotionJpeg;
    Bytes b;
    b.fourcc("vids");
    if (mjpeg)
        b.fourcc("MJPG");
    else
        b.u32(0);
    b.u32(0)    // flags
        .u16(0) // priority
        .u16(0) // language
        .u32(0) // initial frames
        .u32(1) // scale
        .u32(uint32_t(m_format.frameRate))
        .u32(0) // start
        .u32(length)
        .u32(m_format.suggestedBufferSize)
        .u32(0) // quality
        .u32(0) // sample size
        .u16(0)
        .u16(0)
        .u16(uint16_t(m_format.width))
        .u16(uint16_t(m_format.height));
    return chunk("strh", b);
}

QByteArray AviFile::streamFormat() const
{
    const bool mjpeg = m_format.codec == AviCodec::MotionJpeg;
    const uint32_t stride = uint32_t((m_format.width * 3 + 3) & ~3);
    Bytes b;
    b.u32(40).u32(uint32_t(m_format.width)).u32(uint32_t(m_format.height)).u16(1).u16(24);
    if (mjpeg)
        b.fourcc("MJPG");
    else
        b.u32(0);
    b.u32(stride * uint32_t(m_format.height)).zeros(16);
    return chunk("strf", b);
}

QByteArray AviFile::superIndex() const
{
    if (!isOpenDml())
        return chunk("JUNK", QByteArray(kSuperIndexBody, '\0'));
    const bool mjpeg = m_format.codec == AviCodec::MotionJpeg;
    Bytes b;
    b.u16(4).u8(0).u8(0).u32(uint32_t(m_parts.size())).fourcc(mjpeg ? "00dc" : "00db").zeros(12);
    for (size_t i = 0; i < m_parts.size(); ++i) {
        const size_t end = i + 1 < m_parts.size() ? m_parts[i + 1].firstFrame : m_frames.size();
        b.u64(uint64_t(m_parts[i].indexStart))
            .u32(m_parts[i].indexSize)
            .u32(uint32_t(end - m_parts[i].firstFrame));
    }
    b.zeros(kSuperIndexBody - b.data().size());
    return chunk("indx", b);
}

QByteArray AviFile::odmlHeader() const
{
    if (!isOpenDml())
        return chunk("JUNK", QByteArray(kOdmlBody, '\0'));
    return list("odml", chunk("dmlh", Bytes().u32(uint32_t(m_frames.size())).zeros(kDmlhBody - 4)));
}

bool AviFile::open(const Format &format)
{
    m_format = format;
    m_format.frameRate = std::clamp(format.frameRate, 1, std::clamp(format.maxFrameRate, 1, 64));
    if (format.width <= 0 || format.height <= 0 || format.width > 65535 || format.height > 65535)
        return fail(QStringLiteral("bad frame size"));
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(m_file.errorString());
    m_open = true;
    const QByteArray strl = list("strl", streamHeader(0) + streamFormat() + superIndex());
    const QByteArray hdrl = list("hdrl", mainHeader(0) + strl + odmlHeader());
    // The RIFF size is patched when the part ends.
    if (!write(Bytes().fourcc("RIFF").u32(0).fourcc("AVI ")))
        return false;
    m_hdrlStart = m_pos;
    m_superIndexAt = m_hdrlStart + 12 + mainHeader(0).size() + 12 + streamHeader(0).size()
                     + streamFormat().size();
    m_odmlAt = m_hdrlStart + 12 + mainHeader(0).size() + strl.size();
    if (!write(hdrl))
        return false;
    m_parts.push_back({0, 0, 0});
    if (!write(Bytes().fourcc("LIST").u32(0).fourcc("movi")))
        return false;
    m_parts.back().moviStart = m_pos - 4;
    return true;
}

bool AviFile::startPart()
{
    if (int(m_parts.size()) >= kSuperIndexEntries)
        return fail(QStringLiteral("the video is too long"));
    Part part{m_pos, 0, m_frames.size()};
    if (!write(Bytes().fourcc("RIFF").u32(0).fourcc("AVIX").fourcc("LIST").u32(0).fourcc("movi")))
        return false;
    part.moviStart = m_pos - 4;
    m_parts.push_back(part);
    return true;
}

// Ends the current part: its standard index when the file is (or is about
// to become) OpenDML, the idx1 index for the first part, then the sizes.
bool AviFile::endPart(bool last)
{
    Part &part = m_parts.back();
    const bool mjpeg = m_format.codec == AviCodec::MotionJpeg;
    const char *chunkId = mjpeg ? "00dc" : "00db";
    const size_t first = part.firstFrame;
    const size_t count = m_frames.size() - first;
    if (!last || m_parts.size() > 1) {
        Bytes ix;
        ix.u16(2)
            .u8(0)
            .u8(1)
            .u32(uint32_t(count))
            .fourcc(chunkId)
            .u64(uint64_t(part.moviStart))
            .u32(0);
        for (size_t i = first; i < m_frames.size(); ++i)
            ix.u32(uint32_t(m_frames[i].offset + 8 - part.moviStart)).u32(m_frames[i].size);
        part.indexStart = m_pos;
        const QByteArray index = chunk("ix00", ix);
        part.indexSize = uint32_t(index.size());
        if (!write(index))
            return false;
    }
    const qint64 moviEnd = m_pos;
    if (m_parts.size() == 1) {
        m_firstPartFrames = uint32_t(count);
        Bytes idx1;
        for (size_t i = 0; i < count; ++i)
            idx1.fourcc(chunkId)
                .u32(kAviifKeyFrame)
                .u32(uint32_t(m_frames[i].offset - part.moviStart))
                .u32(m_frames[i].size);
        if (!write(chunk("idx1", idx1)))
            return false;
    }
    return patch(part.moviStart - 4, Bytes().u32(uint32_t(moviEnd - part.moviStart)))
           && patch(part.riffStart + 4, Bytes().u32(uint32_t(m_pos - part.riffStart - 8)));
}

qint64 AviFile::projectedPartSize(qint64 chunkBytes) const
{
    const Part &part = m_parts.back();
    const qint64 frames = qint64(m_frames.size() - part.firstFrame) + 1;
    qint64 size = m_pos + chunkBytes - part.riffStart + kStdIndexHeader + frames * kStdIndexEntry;
    if (m_parts.size() == 1)
        size += 8 + frames * kIdx1Entry;
    return size;
}

bool AviFile::writeFrame(const char *data, qint64 size)
{
    if (!m_open)
        return fail(QStringLiteral("not open"));
    if (size < 0 || size > m_riffLimit / 2)
        return fail(QStringLiteral("a frame is too large"));
    const qint64 padded = size + (size & 1);
    if (m_frames.size() > m_parts.back().firstFrame
        && projectedPartSize(8 + padded) > m_riffLimit) {
        if (!endPart(false) || !startPart())
            return false;
    }
    const bool mjpeg = m_format.codec == AviCodec::MotionJpeg;
    m_frames.push_back({m_pos, uint32_t(size)});
    m_largestFrame = std::max(m_largestFrame, uint32_t(size));
    if (!write(Bytes().fourcc(mjpeg ? "00dc" : "00db").u32(uint32_t(size))))
        return false;
    if (m_file.write(data, size) != size)
        return fail(m_file.errorString());
    m_pos += size;
    if (size & 1 && !write(QByteArray(1, '\0')))
        return false;
    if (m_pos - m_writtenBack >= kWritebackStep)
        startWriteback();
    return true;
}

void AviFile::startWriteback()
{
    // The file is flushed to the disk before it is put in place; started
    // while frames are still being made, that flush finds little left to do.
#ifdef __linux__
    if (m_file.flush())
        ::sync_file_range(m_file.handle(), m_writtenBack, m_pos - m_writtenBack,
                          SYNC_FILE_RANGE_WRITE);
#endif
    m_writtenBack = m_pos;
}

bool AviFile::finish()
{
    if (!m_open)
        return fail(QStringLiteral("not open"));
    if (!endPart(true))
        return false;
    const uint32_t total = uint32_t(m_frames.size());
    const QByteArray strh = streamHeader(total);
    if (!patch(m_hdrlStart + 12, mainHeader(m_firstPartFrames))
        || !patch(m_hdrlStart + 12 + mainHeader(0).size() + 12, strh)
        || !patch(m_superIndexAt, superIndex()) || !patch(m_odmlAt, odmlHeader()))
        return false;
    m_open = false;
    if (!m_file.commit())
        return fail(m_file.errorString());
    return true;
}

void AviFile::cancel()
{
    m_file.cancelWriting();
    if (m_file.isOpen())
        m_file.commit(); // cancelled: closes and removes the temporary file
    m_open = false;
}

} // namespace vantrel
