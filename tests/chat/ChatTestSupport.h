#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

#include <functional>

namespace vantrel::test {

// Runs the event loop until `done` holds or the time is up.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Lets pending notifications run for a while.
inline void settle(int ms = 50)
{
    waitUntil([] { return false; }, ms);
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
};

} // namespace vantrel::test
