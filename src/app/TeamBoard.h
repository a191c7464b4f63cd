#pragma once

#include "board/BoardClient.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace vantrel {

class frmMapa;

// The main window's side of the team board beside the chat: it joins the
// board when the chat is hosted or joined, shares one strat window (sent
// again on every change, its play states as they change and twice a second
// while it runs), opens a read-only copy for each strat another player
// shares and keeps its playback following theirs, and shows every ping.
class TeamBoard : public QObject
{
    Q_OBJECT

public:
    // Hands out a new strat window for a copy, or null when none is free.
    using WindowSource = std::function<frmMapa *()>;
    // How long the sharer gathers edits before it sends the strat again.
    static constexpr int kResendMs = 100;
    // A running sharer tells its frame this often.
    static constexpr int kHeartbeatMs = 500;

    explicit TeamBoard(WindowSource newWindow, QObject *parent = nullptr);
    ~TeamBoard() override;

    BoardClient &client() { return m_client; }
    bool isConnected() const { return m_client.isConnected(); }

    // The chat was hosted or joined: the board at `host`:`boardPort`. A host
    // without a board means no board, silently.
    void join(const QString &host, quint16 boardPort, const QString &nick);
    void leave();

    // Shares `window`'s strat, instead of any other; false when not on a board.
    bool share(frmMapa *window);
    void stopSharing();
    frmMapa *sharedWindow() const { return m_shared; }

    // The open copy of the strat `nick` shares, or null.
    frmMapa *copyOf(const QString &nick) const;

    // A ping on `window`: shown there with the own nick and sent to the board.
    void ping(frmMapa &window, const QPoint &twips);

private:
    void sendStrat();
    void sendPlay();
    void onStratShared(const QString &nick, const QString &title, const QByteArray &bytes);
    void onSharingStopped(const QString &nick);
    void onPlay(const BoardPlay &play);
    void onPinged(const QString &nick, const QPoint &twips);
    void follow(frmMapa *copy, const BoardPlay &play, qint64 arrivedMs);

    WindowSource m_newWindow;
    BoardClient m_client;
    QPointer<frmMapa> m_shared;
    std::vector<QMetaObject::Connection> m_sharedConnections;
    QTimer m_resend;
    QTimer m_heartbeat;
    QHash<QString, QPointer<frmMapa>> m_copies;
    // The player whose strat came last: the play states are theirs.
    QString m_leader;
    std::optional<BoardPlay> m_lastPlay;
    qint64 m_lastPlayArrivedMs = 0;
};

} // namespace vantrel
