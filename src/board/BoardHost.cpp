#include "board/BoardHost.h"

#include "board/BoardWire.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cmath>
#include <limits>
#include <utility>

namespace vantrel {

struct BoardHost::Peer
{
    QTcpSocket *socket = nullptr;
    BoardFrameReader reader;
    QString address;
    QString nick;
    bool greeted = false;
    bool gone = false; // dropped or left: no more relaying, reading or announcing
    QTimer *helloTimer = nullptr;
};

namespace {

// A dropped peer may still read our goodbye for this long.
constexpr int kGoodbyeGraceMs = 2000;

} // namespace

BoardHost::BoardHost(QObject *parent)
    : QObject(parent)
{
}

BoardHost::~BoardHost()
{
    close();
}

bool BoardHost::listen(const QHostAddress &address, quint16 port)
{
    close();
    m_server = new QTcpServer(this);
    m_server->setMaxPendingConnections(m_connectionLimit);
    if (!m_server->listen(address, port)) {
        m_error = m_server->errorString();
        delete m_server;
        m_server = nullptr;
        return false;
    }
    m_error.clear();
    connect(m_server, &QTcpServer::newConnection, this, &BoardHost::accept);
    return true;
}

void BoardHost::close()
{
    delete m_server;
    m_server = nullptr;
    for (Peer *p : std::as_const(m_peers)) {
        p->socket->disconnect(this);
        p->socket->abort();
        p->socket->deleteLater();
        delete p;
    }
    m_peers.clear();
    qDeleteAll(m_retired);
    m_retired.clear();
    m_sharer = nullptr;
    m_sharerNick.clear();
    m_shareFrame.clear();
    m_title.clear();
    m_havePlay = false;
}

bool BoardHost::isListening() const
{
    return m_server && m_server->isListening();
}

quint16 BoardHost::port() const
{
    return isListening() ? m_server->serverPort() : 0;
}

int BoardHost::peerCount() const
{
    int n = 0;
    for (const Peer *p : m_peers)
        n += p->greeted && !p->gone ? 1 : 0;
    return n;
}

QString BoardHost::who(const Peer *peer) const
{
    return peer->nick.isEmpty() ? peer->address
                                : QStringLiteral("%1 (%2)").arg(peer->nick, peer->address);
}

void BoardHost::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        const QString address
            = QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        if (m_peers.size() >= m_connectionLimit) {
            Q_EMIT logLine(QStringLiteral("Board: %1 refused: the board has %2 connections")
                               .arg(address)
                               .arg(m_connectionLimit));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *peer = new Peer;
        peer->socket = socket;
        peer->address = address;
        m_peers.append(peer);
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, peer] { readFrom(peer); });
        connect(socket, &QTcpSocket::disconnected, this, [this, peer] { leave(peer); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, peer] { leave(peer); });
        peer->helloTimer = new QTimer(socket);
        peer->helloTimer->setSingleShot(true);
        connect(peer->helloTimer, &QTimer::timeout, this, [this, peer] {
            drop(peer, QStringLiteral("no hello within %1 s").arg(kHelloTimeoutMs / 1000));
        });
        peer->helloTimer->start(kHelloTimeoutMs);
    }
}

void BoardHost::readFrom(Peer *peer)
{
    if (peer->gone)
        return;
    peer->reader.readFrom(peer->socket);
    uint8_t type = 0;
    QByteArray payload;
    for (;;) {
        switch (peer->reader.next(type, payload)) {
        case BoardFrameReader::Status::NeedMore:
            boundTotals();
            return;
        case BoardFrameReader::Status::Failed:
            drop(peer, peer->reader.error());
            return;
        case BoardFrameReader::Status::Frame:
            if (!handle(peer, type, std::move(payload)) || peer->gone)
                return;
            break;
        }
    }
}

bool BoardHost::handle(Peer *peer, uint8_t type, QByteArray payload)
{
    QString error;
    const std::optional<BoardWire::Message> m = BoardWire::decode(type, std::move(payload), &error);
    if (!m) {
        drop(peer, error);
        return false;
    }
    if (!peer->greeted && m->type != BoardWire::Type::Hello) {
        drop(peer, QStringLiteral("a message before its hello"));
        return false;
    }
    switch (m->type) {
    case BoardWire::Type::Hello:
        if (peer->greeted) {
            drop(peer, QStringLiteral("a second hello"));
            return false;
        }
        if (m->version != BoardWire::kVersion) {
            drop(peer, QStringLiteral("board protocol %1 is not spoken here (this host speaks %2)")
                           .arg(m->version)
                           .arg(BoardWire::kVersion));
            return false;
        }
        greet(peer, m->nick);
        return true;
    case BoardWire::Type::Share: {
        const QString problem = BoardWire::stratProblem(m->strat);
        if (!problem.isEmpty()) {
            drop(peer, QStringLiteral("shared a strat that does not read: ") + problem);
            return false;
        }
        share(peer, m->text, m->strat);
        return true;
    }
    case BoardWire::Type::Stop:
        stopSharing(peer);
        return true;
    case BoardWire::Type::Play:
        // Only the sharer leads the play.
        if (peer == m_sharer) {
            m_play = m->play;
            m_havePlay = true;
            m_playAge.start();
            relay(peer, BoardWire::play(peer->nick, m->play));
        }
        return true;
    case BoardWire::Type::Ping:
        relay(peer, BoardWire::ping(peer->nick, m->point));
        return true;
    case BoardWire::Type::Welcome:
    case BoardWire::Type::PeerLeft:
    case BoardWire::Type::Goodbye:
    case BoardWire::Type::Taken:
        break;
    }
    drop(peer, QStringLiteral("a message only the host sends"));
    return false;
}

void BoardHost::greet(Peer *peer, const QString &nick)
{
    peer->greeted = true;
    peer->nick = nick;
    delete std::exchange(peer->helloTimer, nullptr);
    Q_EMIT logLine(QStringLiteral("Board: %1 joined").arg(who(peer)));
    send(peer, BoardWire::welcome());
    if (m_shareFrame.isEmpty() || peer->gone)
        return;
    send(peer, m_shareFrame);
    if (!m_sharer)
        send(peer, BoardWire::stop(m_sharerNick));
    if (m_havePlay)
        send(peer, BoardWire::play(m_sharerNick, playNow()));
}

BoardPlay BoardHost::playNow() const
{
    BoardPlay now = m_play;
    if (now.run == BoardPlay::Run::Running) {
        // Where the sharer's play is by now, on the strat's own clock.
        const double ahead
            = double(m_playAge.elapsed()) * BoardWire::kFramesPerSecond * now.speed / 1000.0;
        now.frame = int32_t(std::min(double(now.frame) + std::floor(ahead),
                                     double(std::numeric_limits<int32_t>::max())));
    }
    return now;
}

void BoardHost::share(Peer *peer, const QString &title, const QByteArray &stratBytes)
{
    if (peer != m_sharer || title != m_title) {
        Q_EMIT logLine(QStringLiteral("Board: %1 shares \"%2\" (%3 bytes)")
                           .arg(who(peer), title)
                           .arg(stratBytes.size()));
    }
    if (peer != m_sharer)
        m_havePlay = false; // another sharer's play is not this strat's
    m_sharer = peer;
    m_sharerNick = peer->nick;
    m_title = title;
    m_shareFrame = BoardWire::share(peer->nick, title, stratBytes);
    relay(peer, m_shareFrame);
    if (!peer->gone)
        send(peer, BoardWire::taken());
}

void BoardHost::stopSharing(Peer *peer)
{
    if (peer != m_sharer)
        return;
    Q_EMIT logLine(QStringLiteral("Board: %1 stopped sharing").arg(who(peer)));
    m_sharer = nullptr;
    m_sharerNick.clear();
    m_shareFrame.clear();
    m_title.clear();
    m_havePlay = false;
    relay(peer, BoardWire::stop(peer->nick));
}

void BoardHost::relay(const Peer *from, const QByteArray &frame)
{
    // A send may drop a peer (and so change the list): walk a copy.
    const QList<Peer *> peers = m_peers;
    for (Peer *p : peers) {
        if (p != from && p->greeted && !p->gone)
            send(p, frame);
    }
    boundTotals();
}

void BoardHost::send(Peer *peer, const QByteArray &frame)
{
    if (peer->gone)
        return;
    // What the peer has not taken of earlier messages: a frame just handed
    // over is always unsent for a moment.
    const qint64 backlog = peer->socket->bytesToWrite();
    if (m_sendBacklogLimit > 0 && backlog > m_sendBacklogLimit) {
        drop(peer, QStringLiteral("does not read: %1 bytes wait unsent").arg(backlog));
        return;
    }
    peer->socket->write(frame);
}

void BoardHost::boundTotals()
{
    auto largest = [this](auto measure) -> std::pair<Peer *, qint64> {
        Peer *top = nullptr;
        qint64 total = 0, most = 0;
        for (Peer *p : std::as_const(m_peers)) {
            if (p->gone)
                continue;
            const qint64 n = measure(p);
            total += n;
            if (n > most) {
                most = n;
                top = p;
            }
        }
        return {top, total};
    };
    for (;;) {
        const auto [top, total] = largest([](const Peer *p) { return p->socket->bytesToWrite(); });
        if (!top || m_totalBacklogLimit <= 0 || total <= m_totalBacklogLimit)
            break;
        drop(top, QStringLiteral("reads slowest while the host holds %1 bytes unsent").arg(total));
    }
    for (;;) {
        const auto [top, total] = largest([](const Peer *p) { return p->reader.buffered(); });
        if (!top || m_totalInboundLimit <= 0 || total <= m_totalInboundLimit)
            break;
        drop(top, QStringLiteral("sends the largest unfinished frame while the host holds %1 "
                                 "bytes of them")
                      .arg(total));
    }
}

void BoardHost::drop(Peer *peer, const QString &reason)
{
    if (peer->gone)
        return;
    Q_EMIT logLine(QStringLiteral("Board: %1 dropped: %2").arg(who(peer), reason));
    QTcpSocket *socket = peer->socket;
    socket->disconnect(this);
    // Nothing more is taken from it (a flood would pile up in the socket).
    socket->setReadBufferSize(1);
    // Told why where it still reads, and closed for good a little later.
    if (socket->bytesToWrite() == 0) {
        socket->write(BoardWire::goodbye(reason));
        socket->disconnectFromHost();
        QTimer::singleShot(kGoodbyeGraceMs, socket, [socket] { socket->abort(); });
    } else {
        socket->abort();
    }
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    else
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    forget(peer, false);
}

void BoardHost::leave(Peer *peer)
{
    if (peer->gone)
        return;
    peer->socket->disconnect(this);
    peer->socket->deleteLater();
    forget(peer, true);
}

void BoardHost::forget(Peer *peer, bool logLeaving)
{
    peer->gone = true;
    delete peer->helloTimer;
    peer->helloTimer = nullptr;
    m_peers.removeOne(peer);
    // Callers up the stack may still look at it: freed once they are done.
    if (m_retired.isEmpty())
        QTimer::singleShot(0, this, [this] {
            qDeleteAll(m_retired);
            m_retired.clear();
        });
    m_retired.append(peer);
    if (peer == m_sharer) {
        // The others keep their copies, and so does the host, for late joiners.
        m_sharer = nullptr;
        if (m_havePlay && m_play.run == BoardPlay::Run::Running) {
            m_play = playNow();
            m_play.run = BoardPlay::Run::Paused;
        }
        relay(nullptr, BoardWire::stop(peer->nick));
    }
    if (peer->greeted) {
        if (logLeaving)
            Q_EMIT logLine(QStringLiteral("Board: %1 left").arg(who(peer)));
        relay(nullptr, BoardWire::peerLeft(peer->nick));
    }
}

} // namespace vantrel
