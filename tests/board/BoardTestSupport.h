#pragma once

#include "board/BoardClient.h"
#include "strat/StratFile.h"
#include "support/EventLoop.h"

#include <QList>
#include <QStringList>

namespace vantrel::test {

// The bytes of a strat file whose texts come to about `textBytes`.
inline QByteArray stratBytes(qsizetype textBytes = 0, const QString &title = QStringLiteral("Mid"))
{
    Strat s;
    s.Overview = QStringLiteral("de_dust");
    s.Title = title;
    s.Objects.append(StratObject{});
    for (qsizetype left = textBytes; left > 0; left -= 30000)
        s.Texts.append(StratText{10, 20, QString(qMin<qsizetype>(left, 30000), QLatin1Char('x'))});
    QByteArray bytes;
    StratFile::encode(s, bytes);
    return bytes;
}

// A board client that writes down everything it hears.
struct Follower
{
    BoardClient client;
    QStringList
        events; // "shared nick title", "stopped nick", "left nick", "taken", "ping nick x y"
    QByteArray strat;
    QList<BoardPlay> plays;
    QString disconnectReason;
    bool disconnected = false;

    Follower()
    {
        QObject::connect(&client, &BoardClient::stratShared,
                         [this](const QString &nick, const QString &title, const QByteArray &b) {
                             events << QStringLiteral("shared %1 %2").arg(nick, title);
                             strat = b;
                         });
        QObject::connect(&client, &BoardClient::sharingStopped,
                         [this](const QString &nick) { events << "stopped " + nick; });
        QObject::connect(&client, &BoardClient::peerLeft,
                         [this](const QString &nick) { events << "left " + nick; });
        QObject::connect(&client, &BoardClient::shareTaken, [this] { events << "taken"; });
        QObject::connect(&client, &BoardClient::pinged, [this](const QString &nick, QPoint p) {
            events << QStringLiteral("ping %1 %2 %3").arg(nick).arg(p.x()).arg(p.y());
        });
        QObject::connect(&client, &BoardClient::playReceived,
                         [this](const BoardPlay &p) { plays << p; });
        QObject::connect(&client, &BoardClient::disconnected, [this](const QString &reason) {
            disconnected = true;
            disconnectReason = reason;
        });
    }
    bool join(quint16 port, const QString &nick)
    {
        client.connectToHost(QStringLiteral("127.0.0.1"), port, nick);
        return waitUntil([this] { return client.isConnected(); });
    }
    bool hears(const QString &event, int timeoutMs = 5000)
    {
        return waitUntil([&] { return events.contains(event); }, timeoutMs);
    }
};

} // namespace vantrel::test
