// Fuzzes the team board's frame reader and message parser: any bytes, cut
// into any pieces, must give frames, a wait for more or a refusal, never
// more held than arrived; every message that parses must parse again the
// to the same bytes after it is written out.

#include "board/BoardFrameReader.h"
#include "board/BoardWire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace vantrel;

QByteArray rewrite(const BoardWire::Message &m)
{
    using BoardWire::Type;
    switch (m.type) {
    case Type::Hello:
        return BoardWire::hello(m.nick);
    case Type::Welcome:
        return BoardWire::welcome();
    case Type::Share:
        return BoardWire::share(m.nick, m.text, m.strat);
    case Type::Stop:
        return BoardWire::stop(m.nick);
    case Type::Play:
        return BoardWire::play(m.nick, m.play);
    case Type::Ping:
        return BoardWire::ping(m.nick, m.point);
    case Type::PeerLeft:
        return BoardWire::peerLeft(m.nick);
    case Type::Goodbye:
        return BoardWire::goodbye(m.text);
    case Type::Taken:
        return BoardWire::taken();
    }
    return {};
}

void check(uint8_t type, const QByteArray &payload)
{
    const std::optional<BoardWire::Message> m = BoardWire::decode(type, payload, nullptr);
    if (!m)
        return;
    if (m->type == BoardWire::Type::Share)
        (void)BoardWire::stratProblem(m->strat);
    // Written out once (texts cut to whole characters within their limit,
    // our own version), a message must be a fixed point.
    const QByteArray once = rewrite(*m);
    const std::optional<BoardWire::Message> n
        = BoardWire::decode(uint8_t(once.at(0)), once.mid(BoardWire::kHeaderSize), nullptr);
    if (!n || rewrite(*n) != once)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks how the rest arrives: in pieces of 1 to 256 bytes.
    const qsizetype piece = qsizetype(data[0]) + 1;
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    BoardFrameReader reader;
    qsizetype handedOut = 0;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        reader.append(bytes.mid(at, piece));
        uint8_t type = 0;
        QByteArray payload;
        BoardFrameReader::Status status;
        while ((status = reader.next(type, payload)) == BoardFrameReader::Status::Frame) {
            handedOut += BoardWire::kHeaderSize + payload.size();
            if (payload.size() > BoardWire::payloadLimit(type))
                std::abort();
            check(type, payload);
        }
        if (status == BoardFrameReader::Status::Failed)
            return 0;
        if (handedOut + reader.buffered() != qMin(at + piece, bytes.size()))
            std::abort(); // holds exactly what arrived and was not handed out
    }
    return 0;
}
