#pragma once

#include "board/BoardClient.h"

#include <QByteArray>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <optional>

namespace vantrel::BoardWire {

// Every message is one frame: a 5-byte header (type, then the payload's
// length as a little-endian 32-bit number) and the payload. docs/board-protocol.md
// lays out each payload.
inline constexpr uint16_t kVersion = 1;
inline constexpr qsizetype kHeaderSize = 5;

enum class Type : uint8_t {
    Hello = 1,    // peer -> host: version, nick
    Welcome = 2,  // host -> peer: version
    Share = 3,    // nick, title, strat bytes
    Stop = 4,     // nick
    Play = 5,     // nick, run, frame, speed
    Ping = 6,     // nick, x, y (twips)
    PeerLeft = 7, // host -> peers: nick
    Goodbye = 8,  // host -> peer, before it closes: the reason
    Taken = 9,    // host -> sharer: the host keeps the strat just shared
};

// The largest strat the bounded file reader takes.
inline constexpr qsizetype kMaxStratBytes = 64 * 1024 * 1024;
// Nicks, titles and reasons: longer ones break the rules.
inline constexpr qsizetype kMaxTextBytes = 1024;
// A share carries the strat, two texts with their lengths and nothing else.
inline constexpr qsizetype kMaxShareFrame = kMaxStratBytes + 2 * (2 + kMaxTextBytes);
// Every other message is small.
inline constexpr qsizetype kMaxSmallFrame = 4096;
// A running play advances this many frames a second at speed 1 (the strat's clock).
inline constexpr int kFramesPerSecond = 64;

// The payload limit of a frame type; 0 for a type nobody may send.
qsizetype payloadLimit(uint8_t type);

// One whole message as read off the wire, fields by type.
struct Message
{
    Type type = Type::Hello;
    uint16_t version = 0; // Hello, Welcome
    QString nick;         // Hello, Share, Stop, Play, Ping, PeerLeft
    QString text;         // Share: title; Goodbye: reason
    QByteArray strat;     // Share
    BoardPlay play;       // Play
    QPoint point;         // Ping
};

// Parses one frame's payload; nullopt with `error` set when it breaks the rules
// (short, long, unknown type, run state or speed out of range). The strat bytes
// of a share are not looked at here.
std::optional<Message> decode(uint8_t type, QByteArray payload, QString *error);

// Whole frames, header included.
QByteArray hello(const QString &nick);
QByteArray welcome();
QByteArray share(const QString &nick, const QString &title, const QByteArray &stratBytes);
QByteArray stop(const QString &nick);
QByteArray play(const QString &nick, const BoardPlay &play);
QByteArray ping(const QString &nick, const QPoint &twips);
QByteArray peerLeft(const QString &nick);
QByteArray goodbye(const QString &reason);
QByteArray taken();

// Texts as they go on the wire: UTF-8, cut at a character boundary to kMaxTextBytes.
QByteArray textBytes(const QString &text);

// The same strat check as a file gets (the strat reader on the bytes); an
// empty string when the bytes are a strat, else the reason.
QString stratProblem(const QByteArray &stratBytes);

} // namespace vantrel::BoardWire
