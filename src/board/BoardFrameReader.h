#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class QIODevice;

namespace vantrel {

// Cuts a byte stream into board frames (type, 32-bit little-endian length,
// payload). It holds only what has arrived, never what a header announces,
// and refuses a header whose length is over its type's limit or whose type
// is unknown before any payload is read. After an error it stays failed.
class BoardFrameReader
{
public:
    enum class Status { NeedMore, Frame, Failed };

    void append(const QByteArray &bytes) { m_buffer.append(bytes); }
    // Takes what `device` has ready straight into the buffer.
    void readFrom(QIODevice *device);

    // The next whole frame into `type` and `payload`, or NeedMore, or Failed
    // with error() saying why.
    Status next(uint8_t &type, QByteArray &payload);

    QString error() const { return m_error; }
    // Bytes held for frames not yet whole.
    qsizetype buffered() const { return m_buffer.size() - m_pos; }

private:
    QByteArray m_buffer;
    qsizetype m_pos = 0; // start of the first frame not yet handed out
    QString m_error;
};

} // namespace vantrel
