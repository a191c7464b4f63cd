#include "board/BoardClient.h"

#include "board/BoardWire.h"

#include <QPointer>
#include <QTcpSocket>

#include <utility>

namespace vantrel {

BoardClient::BoardClient(QObject *parent)
    : QObject(parent)
{
}

BoardClient::~BoardClient()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void BoardClient::connectToHost(const QString &host, quint16 port, const QString &nick)
{
    if (m_socket)
        disconnectFromHost();
    m_nick = nick;
    m_goodbye.clear();
    m_reader = BoardFrameReader();
    m_welcomed = false;
    m_open = true;
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &BoardClient::readFrames);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { finish(QString()); });
    connect(m_socket, &QTcpSocket::errorOccurred, this,
            [this] { finish(m_socket ? m_socket->errorString() : QString()); });
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket->connectToHost(host, port);
    // Queued until the connection is made, and before anything else.
    send(BoardWire::hello(nick));
}

void BoardClient::disconnectFromHost()
{
    if (!m_socket)
        return;
    // What we sent last (a stop, a play) still leaves before the close.
    QTcpSocket *socket = std::exchange(m_socket, nullptr);
    socket->disconnect(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    m_welcomed = false;
    if (std::exchange(m_open, false))
        Q_EMIT disconnected(QString());
}

bool BoardClient::isConnected() const
{
    return m_welcomed;
}

QString BoardClient::nick() const
{
    return m_nick;
}

void BoardClient::shareStrat(const QByteArray &stratBytes, const QString &title)
{
    // The host would drop us for it; a strat that large is not shared at all.
    if (stratBytes.isEmpty() || stratBytes.size() > BoardWire::kMaxStratBytes)
        return;
    send(BoardWire::share(QString(), title, stratBytes));
}

void BoardClient::stopSharing()
{
    send(BoardWire::stop(QString()));
}

void BoardClient::sendPlay(const BoardPlay &play)
{
    send(BoardWire::play(QString(), play));
}

void BoardClient::sendPing(const QPoint &twips)
{
    send(BoardWire::ping(QString(), twips));
}

void BoardClient::send(const QByteArray &frame)
{
    // The host puts the sender's nick into what it relays; ours stays empty.
    if (m_socket && m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->write(frame);
}

void BoardClient::readFrames()
{
    if (!m_socket)
        return;
    m_reader.readFrom(m_socket);
    uint8_t type = 0;
    QByteArray payload;
    for (;;) {
        switch (m_reader.next(type, payload)) {
        case BoardFrameReader::Status::NeedMore:
            return;
        case BoardFrameReader::Status::Failed:
            finish(QStringLiteral("the host broke the board protocol: ") + m_reader.error());
            return;
        case BoardFrameReader::Status::Frame:
            if (!handle(type, std::move(payload)))
                return;
            break;
        }
    }
}

bool BoardClient::handle(uint8_t type, QByteArray payload)
{
    QString error;
    const std::optional<BoardWire::Message> m = BoardWire::decode(type, std::move(payload), &error);
    if (m && m->type == BoardWire::Type::Share) {
        const QString problem = BoardWire::stratProblem(m->strat);
        if (!problem.isEmpty())
            error = QStringLiteral("a shared strat is not readable: ") + problem;
    }
    if (!m || !error.isEmpty()) {
        finish(QStringLiteral("the host broke the board protocol: ") + error);
        return false;
    }
    // A signal handler may end the connection (or delete us): stop reading then.
    const QPointer<QTcpSocket> socket(m_socket);
    switch (m->type) {
    case BoardWire::Type::Welcome:
        if (m->version != BoardWire::kVersion) {
            finish(QStringLiteral("the host speaks board protocol %1, not %2")
                       .arg(m->version)
                       .arg(BoardWire::kVersion));
            return false;
        }
        m_welcomed = true;
        Q_EMIT connected();
        break;
    case BoardWire::Type::Share:
        Q_EMIT stratShared(m->nick, m->text, m->strat);
        break;
    case BoardWire::Type::Stop:
        Q_EMIT sharingStopped(m->nick);
        break;
    case BoardWire::Type::Play:
        Q_EMIT playReceived(m->play);
        break;
    case BoardWire::Type::Ping:
        Q_EMIT pinged(m->nick, m->point);
        break;
    case BoardWire::Type::PeerLeft:
        Q_EMIT peerLeft(m->nick);
        break;
    case BoardWire::Type::Goodbye:
        m_goodbye = m->text;
        break;
    case BoardWire::Type::Taken:
        Q_EMIT shareTaken();
        break;
    case BoardWire::Type::Hello:
        finish(QStringLiteral("the host broke the board protocol: a hello from the host"));
        return false;
    }
    return socket && socket == m_socket;
}

void BoardClient::finish(const QString &reason)
{
    if (!m_socket)
        return;
    QTcpSocket *socket = std::exchange(m_socket, nullptr);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    m_welcomed = false;
    if (!std::exchange(m_open, false))
        return;
    Q_EMIT disconnected(m_goodbye.isEmpty() ? reason : m_goodbye);
}

} // namespace vantrel
