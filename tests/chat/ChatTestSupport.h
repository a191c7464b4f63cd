#pragma once

#include "support/EventLoop.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

namespace vantrel::test {

// A loopback port nobody listens on (it was free a moment ago).
inline quint16 unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

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
    // Connects, announces `nick` and waits for the host to list it back.
    bool joinAs(quint16 port, const QByteArray &nick)
    {
        if (!connectTo(port))
            return false;
        send("NICK " + nick);
        return waitFor("NICK " + nick + "\r\n");
    }
};

// Answers every HTTP request on loopback with one canned reply (or nothing).
struct HttpEcho
{
    QTcpServer server;
    QByteArray body;
    bool silent = false;
    QByteArray request;

    HttpEcho()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket *s = server.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                request += s->readAll();
                if (silent || !request.contains("\r\n\r\n"))
                    return;
                s->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: "
                         + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n"
                         + body);
                s->disconnectFromHost();
            });
        });
    }
    QString url() const
    {
        return QStringLiteral("http://127.0.0.1:%1/simple/").arg(server.serverPort());
    }
};

} // namespace vantrel::test
