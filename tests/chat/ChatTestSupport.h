#pragma once

#include "support/EventLoop.h"

#include <QTcpSocket>

#include <functional>

namespace vantrel::test {

// A plain TCP peer on loopback that collects what it receives.
struct RawPeer
{
    QTcpSocket socket;
    QByteArray received;

    RawPeer()
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
    }
    bool connectTo(quint16 port)
    {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        return waitUntil([this] { return socket.state() == QAbstractSocket::ConnectedState; });
    }
    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    bool waitFor(const QByteArray &bytes, int timeoutMs = 5000)
    {
        return waitUntil([&] { return received.contains(bytes); }, timeoutMs);
    }
};

} // namespace vantrel::test
