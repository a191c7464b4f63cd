#pragma once

#include "board/BoardClient.h"
#include "board/BoardFrameReader.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>

class QTcpServer;
class QTcpSocket;

namespace vantrel {

// The team board's relay beside the chat host: takes board peers, relays
// what a sharer sends to every other peer with the sender's nick, and keeps
// the last shared strat and play for peers who join later. A peer that
// breaks the protocol or stops reading is dropped with a log line; the
// others never notice but for its "left" message. docs/board-protocol.md.
class BoardHost : public QObject
{
    Q_OBJECT

public:
    // A peer that still has more than this unsent when the next message for
    // it comes is dropped (so it holds at most this and one message): one
    // largest share and room for the small messages around it.
    static constexpr qint64 kDefaultSendBacklogLimit = 72 * 1024 * 1024;
    // What the host holds unsent for all peers together (shared strat bytes
    // counted once per peer); past it the peer with the largest backlog goes.
    static constexpr qint64 kDefaultTotalBacklogLimit = 512 * 1024 * 1024;
    // Unfinished frames held for all peers together; past it the peer with
    // the largest unfinished frame goes.
    static constexpr qint64 kDefaultTotalInboundLimit = 256 * 1024 * 1024;
    static constexpr int kDefaultConnectionLimit = 200;
    // A peer that has not said hello by then is dropped.
    static constexpr int kHelloTimeoutMs = 10000;

    explicit BoardHost(QObject *parent = nullptr);
    ~BoardHost() override;

    bool listen(const QHostAddress &address, quint16 port);
    void close();
    bool isListening() const;
    quint16 port() const;
    QString errorString() const { return m_error; }

    void setSendBacklogLimit(qint64 bytes) { m_sendBacklogLimit = bytes; }
    void setTotalBacklogLimit(qint64 bytes) { m_totalBacklogLimit = bytes; }
    void setTotalInboundLimit(qint64 bytes) { m_totalInboundLimit = bytes; }
    void setConnectionLimit(int peers) { m_connectionLimit = peers; }

    // Greeted peers now connected.
    int peerCount() const;

Q_SIGNALS:
    // One line for the host's log: joins, leaves, shares and dropped peers.
    void logLine(const QString &line);

private:
    struct Peer;

    void accept();
    void readFrom(Peer *peer);
    bool handle(Peer *peer, uint8_t type, QByteArray payload);
    void greet(Peer *peer, const QString &nick);
    void share(Peer *peer, const QString &title, const QByteArray &stratBytes);
    void stopSharing(Peer *peer);
    void relay(const Peer *from, const QByteArray &frame);
    void send(Peer *peer, const QByteArray &frame);
    void drop(Peer *peer, const QString &reason);
    void leave(Peer *peer);
    // Out of the relay; the others hear it left. `logLeaving` is false for a drop, logged already.
    void forget(Peer *peer, bool logLeaving);
    void boundTotals();
    BoardPlay playNow() const;
    QString who(const Peer *peer) const;

    QTcpServer *m_server = nullptr;
    QList<Peer *> m_peers;
    QList<Peer *> m_retired; // gone, freed once the event loop is back
    QString m_error;
    qint64 m_sendBacklogLimit = kDefaultSendBacklogLimit;
    qint64 m_totalBacklogLimit = kDefaultTotalBacklogLimit;
    qint64 m_totalInboundLimit = kDefaultTotalInboundLimit;
    int m_connectionLimit = kDefaultConnectionLimit;

    // What a late joiner gets at once.
    Peer *m_sharer = nullptr; // null once the sharer has left
    QString m_sharerNick;
    QByteArray m_shareFrame; // the relayed share, empty when nothing is held
    QString m_title;
    bool m_havePlay = false;
    BoardPlay m_play;
    QElapsedTimer m_playAge;
};

} // namespace vantrel
