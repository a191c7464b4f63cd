#include "board/BoardWire.h"

#include "strat/StratFile.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace vantrel::BoardWire {

namespace {

// A faster play than this is no play anybody follows; the bound also keeps
// the host's reckoning of a held play's frame in range.
constexpr double kMaxSpeed = 1024.0;

class Writer
{
public:
    explicit Writer(Type type) { m_out.append(char(type)).append(4, '\0'); }

    Writer &u8(uint8_t v) { return raw(v); }
    Writer &u16(uint16_t v) { return raw(qToLittleEndian(v)); }
    Writer &i32(int32_t v) { return raw(qToLittleEndian(v)); }
    Writer &f64(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return raw(qToLittleEndian(bits));
    }
    Writer &text(const QString &s)
    {
        const QByteArray bytes = textBytes(s);
        u16(uint16_t(bytes.size()));
        m_out.append(bytes);
        return *this;
    }
    Writer &bytes(const QByteArray &b)
    {
        m_out.append(b);
        return *this;
    }
    QByteArray frame()
    {
        qToLittleEndian(uint32_t(m_out.size() - kHeaderSize), m_out.data() + 1);
        return std::move(m_out);
    }

private:
    template<typename T> Writer &raw(T v)
    {
        m_out.append(reinterpret_cast<const char *>(&v), sizeof v);
        return *this;
    }
    QByteArray m_out;
};

class Reader
{
public:
    explicit Reader(const QByteArray &payload)
        : m_data(payload)
    {
    }

    bool failed() const { return m_failed; }
    bool atEnd() const { return m_pos == m_data.size(); }
    // Where the rest begins; the rest counts as read.
    qsizetype skipRest()
    {
        const qsizetype at = m_pos;
        m_pos = m_data.size();
        return at;
    }

    uint8_t u8() { return take<uint8_t>(); }
    uint16_t u16() { return qFromLittleEndian(take<uint16_t>()); }
    int32_t i32() { return qFromLittleEndian(take<int32_t>()); }
    double f64()
    {
        const uint64_t bits = qFromLittleEndian(take<uint64_t>());
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    QString text()
    {
        const uint16_t n = u16();
        if (m_failed || n > kMaxTextBytes || n > m_data.size() - m_pos) {
            m_failed = true;
            return {};
        }
        const QString s = QString::fromUtf8(m_data.constData() + m_pos, n);
        m_pos += n;
        return s;
    }

private:
    template<typename T> T take()
    {
        T v{};
        if (m_failed || qsizetype(sizeof v) > m_data.size() - m_pos) {
            m_failed = true;
            return v;
        }
        std::memcpy(&v, m_data.constData() + m_pos, sizeof v);
        m_pos += qsizetype(sizeof v);
        return v;
    }

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

} // namespace

qsizetype payloadLimit(uint8_t type)
{
    switch (Type(type)) {
    case Type::Share:
        return kMaxShareFrame;
    case Type::Hello:
    case Type::Welcome:
    case Type::Stop:
    case Type::Play:
    case Type::Ping:
    case Type::PeerLeft:
    case Type::Goodbye:
    case Type::Taken:
        return kMaxSmallFrame;
    }
    return 0;
}

std::optional<Message> decode(uint8_t type, QByteArray payload, QString *error)
{
    auto fail = [error](const QString &why) -> std::optional<Message> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (payloadLimit(type) == 0)
        return fail(QStringLiteral("unknown message type %1").arg(type));
    Message m;
    m.type = Type(type);
    Reader r(payload);
    qsizetype stratAt = -1;
    switch (m.type) {
    case Type::Hello:
        m.version = r.u16();
        m.nick = r.text();
        break;
    case Type::Welcome:
        m.version = r.u16();
        break;
    case Type::Share:
        m.nick = r.text();
        m.text = r.text();
        if (!r.failed())
            stratAt = r.skipRest();
        break;
    case Type::Stop:
    case Type::PeerLeft:
        m.nick = r.text();
        break;
    case Type::Play: {
        m.nick = r.text();
        const uint8_t run = r.u8();
        m.play.frame = r.i32();
        m.play.speed = r.f64();
        if (r.failed())
            break;
        if (run > uint8_t(BoardPlay::Run::Paused))
            return fail(QStringLiteral("unknown play state %1").arg(run));
        if (!(m.play.speed > 0 && m.play.speed <= kMaxSpeed)) // NaN fails too
            return fail(QStringLiteral("play speed out of range"));
        if (m.play.frame < 0)
            return fail(QStringLiteral("negative play frame"));
        m.play.run = BoardPlay::Run(run);
        break;
    }
    case Type::Ping: {
        m.nick = r.text();
        const int32_t x = r.i32();
        const int32_t y = r.i32();
        m.point = QPoint(x, y);
        break;
    }
    case Type::Goodbye:
        m.text = r.text();
        break;
    case Type::Taken:
        break;
    }
    if (r.failed())
        return fail(QStringLiteral("%1 message cut short").arg(type));
    if (!r.atEnd())
        return fail(QStringLiteral("%1 message has bytes past its end").arg(type));
    if (stratAt >= 0) {
        // The strat is most of a share: it keeps the payload's bytes.
        m.strat = std::move(payload);
        m.strat.remove(0, stratAt);
        if (m.strat.isEmpty())
            return fail(QStringLiteral("share without a strat"));
    }
    return m;
}

QByteArray textBytes(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= kMaxTextBytes)
        return bytes;
    // Back off continuation bytes so the cut leaves whole characters.
    qsizetype end = kMaxTextBytes;
    while (end > 0 && (uchar(bytes.at(end)) & 0xC0) == 0x80)
        --end;
    bytes.truncate(end);
    return bytes;
}

QByteArray hello(const QString &nick)
{
    return Writer(Type::Hello).u16(kVersion).text(nick).frame();
}

QByteArray welcome()
{
    return Writer(Type::Welcome).u16(kVersion).frame();
}

QByteArray share(const QString &nick, const QString &title, const QByteArray &stratBytes)
{
    return Writer(Type::Share).text(nick).text(title).bytes(stratBytes).frame();
}

QByteArray stop(const QString &nick)
{
    return Writer(Type::Stop).text(nick).frame();
}

QByteArray play(const QString &nick, const BoardPlay &play)
{
    return Writer(Type::Play)
        .text(nick)
        .u8(uint8_t(play.run))
        .i32(play.frame)
        .f64(play.speed)
        .frame();
}

QByteArray ping(const QString &nick, const QPoint &twips)
{
    return Writer(Type::Ping).text(nick).i32(twips.x()).i32(twips.y()).frame();
}

QByteArray peerLeft(const QString &nick)
{
    return Writer(Type::PeerLeft).text(nick).frame();
}

QByteArray goodbye(const QString &reason)
{
    return Writer(Type::Goodbye).text(reason).frame();
}

QByteArray taken()
{
    return Writer(Type::Taken).frame();
}

QString stratProblem(const QByteArray &stratBytes)
{
    if (stratBytes.size() > kMaxStratBytes)
        return QStringLiteral("the strat is larger than %1 bytes").arg(kMaxStratBytes);
    Strat strat;
    const FileResult r = StratFile::decode(stratBytes, QStringLiteral("shared strat"), strat);
    return r ? QString() : r.message;
}

} // namespace vantrel::BoardWire
