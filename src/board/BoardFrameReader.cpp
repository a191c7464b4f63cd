#include "board/BoardFrameReader.h"

#include "board/BoardWire.h"

#include <QIODevice>
#include <QtEndian>

#include <utility>

namespace vantrel {

void BoardFrameReader::readFrom(QIODevice *device)
{
    const qint64 ready = device->bytesAvailable();
    if (ready <= 0)
        return;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + ready);
    const qint64 got = device->read(m_buffer.data() + old, ready);
    m_buffer.resize(old + qMax<qint64>(got, 0));
}

BoardFrameReader::Status BoardFrameReader::next(uint8_t &type, QByteArray &payload)
{
    if (!m_error.isEmpty())
        return Status::Failed;
    const qsizetype available = m_buffer.size() - m_pos;
    auto needMore = [this] {
        // Drop what was handed out, so the buffer holds the unfinished frame only.
        if (m_pos > 0) {
            m_buffer.remove(0, m_pos);
            m_pos = 0;
        }
        return Status::NeedMore;
    };
    if (available < BoardWire::kHeaderSize)
        return needMore();
    const char *header = m_buffer.constData() + m_pos;
    const uint8_t t = uint8_t(header[0]);
    const uint32_t length = qFromLittleEndian<uint32_t>(header + 1);
    const qsizetype limit = BoardWire::payloadLimit(t);
    if (limit == 0) {
        m_error = QStringLiteral("unknown message type %1").arg(t);
        return Status::Failed;
    }
    if (qint64(length) > limit) {
        m_error = QStringLiteral("a frame of %1 bytes is over the %2-byte limit of its type")
                      .arg(length)
                      .arg(limit);
        return Status::Failed;
    }
    if (available - BoardWire::kHeaderSize < qsizetype(length))
        return needMore();
    type = t;
    const qsizetype end = m_pos + BoardWire::kHeaderSize + length;
    if (m_pos == 0 && end == m_buffer.size()) {
        // The buffer is this one frame (a large share usually is): hand it
        // over without a copy.
        payload = std::exchange(m_buffer, QByteArray());
        payload.remove(0, BoardWire::kHeaderSize);
        return Status::Frame;
    }
    payload = m_buffer.mid(m_pos + BoardWire::kHeaderSize, length);
    m_pos = end;
    if (m_pos == m_buffer.size()) {
        m_buffer.clear();
        m_pos = 0;
    }
    return Status::Frame;
}

} // namespace vantrel
