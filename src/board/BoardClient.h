#pragma once

#include "board/BoardFrameReader.h"

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QString>

#include <cstdint>

class QTcpSocket;

namespace vantrel {

// The play state a sharer sends: what followers copy.
struct BoardPlay
{
    enum class Run : uint8_t { Stopped = 0, Running = 1, Paused = 2 };
    Run run = Run::Stopped;
    int32_t frame = 0;  // the sharer's frame when the state was sent
    double speed = 1.0; // Playback::speed()
    bool operator==(const BoardPlay &) const = default;
};

// One player's connection to the team board beside the chat (chat port + 1).
// It greets the host, then hears the shared strat and play at once when one
// is held; it never reconnects by itself. disconnected() comes once per
// connection, after disconnectFromHost() too (with an empty reason).
class BoardClient : public QObject
{
    Q_OBJECT
public:
    explicit BoardClient(QObject *parent = nullptr);
    ~BoardClient() override;
    static quint16 boardPort(quint16 chatPort) { return chatPort + 1; }

    void connectToHost(const QString &host, quint16 port, const QString &nick);
    void disconnectFromHost();
    // True from the host's welcome until the connection ends.
    bool isConnected() const;
    QString nick() const;

    // The sharer: the strat's file bytes (as a save writes them) and its title.
    // Sending again replaces the shared strat (live edits send again).
    void shareStrat(const QByteArray &stratBytes, const QString &title);
    void stopSharing();
    void sendPlay(const BoardPlay &play); // on every change, and every 500 ms while running
    void sendPing(const QPoint &twips);   // any player

Q_SIGNALS:
    void connected();
    void disconnected(const QString &reason);
    // A strat shared by another player (also each update, and at once on joining
    // late). The bytes have passed the same bounded reader as files.
    void stratShared(const QString &sharerNick, const QString &title, const QByteArray &stratBytes);
    void sharingStopped(const QString &sharerNick); // stopped or left: keep the copy
    void playReceived(const BoardPlay &play);       // also at once on joining late
    void pinged(const QString &nick, const QPoint &twips);
    // The host holds the strat this client shared last (late joiners get it).
    void shareTaken();
    // A board peer left (the sharer too, after its sharingStopped).
    void peerLeft(const QString &nick);

private:
    void send(const QByteArray &frame);
    void readFrames();
    bool handle(uint8_t type, QByteArray payload);
    void finish(const QString &reason);

    QTcpSocket *m_socket = nullptr;
    BoardFrameReader m_reader;
    QString m_nick;
    QString m_goodbye; // the host's reason, when it gave one before closing
    bool m_welcomed = false;
    bool m_open = false; // between connectToHost and the one disconnected()
};

} // namespace vantrel
