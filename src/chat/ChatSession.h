#pragma once

#include "chat/CSocketMaster.h"
#include "chat/clsUsers.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

namespace vantrel {

class BoardHost;

// One entry of the nick list: the nick and its number (0 for the host's own
// nick, the connection's key on the host, 1 for every entry on a client).
struct NickEntry
{
    QString nick;
    qint32 itemData = 0;
    bool operator==(const NickEntry &) const = default;
};

// The chat's protocol side, shared by the chat window and the headless host:
// the listener, the connections, the nick list and the log. The window shows
// what it holds and calls its actions; nothing here prompts.
class ChatSession : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 3005;
    // A peer whose unsent backlog passes this is dropped as if it had left.
    static constexpr qint64 kDefaultSendBacklogLimit = 8 * 1024 * 1024;
    // What the host holds unsent for all its peers together; past it the
    // peer with the largest backlog is dropped, until it is below again.
    static constexpr qint64 kDefaultTotalBacklogLimit = 64 * 1024 * 1024;
    // Connections the host takes at once; later ones are closed at once.
    static constexpr int kDefaultConnectionLimit = 200;
    // The log keeps its newest characters only: past this it drops its older half.
    static constexpr qsizetype kLogLimit = 1024 * 1024;
    // What the log shows of one run (a message as it was read) at most; the
    // rest is left out behind a mark. Relayed runs go on whole.
    static constexpr qsizetype kShownRunLimit = 4096;
    // Longer nicks are not listed: every newcomer is sent the whole list.
    static constexpr qsizetype kNickLengthLimit = 256;
    // On the host one connection may put at most this many nicks on the list
    // (its own and whatever a "NICK" run with several lines adds).
    static constexpr int kNicksPerConnection = 8;
    // Overall bound of the list on a client.
    static constexpr int kNickListLimit = 4096;

    // Message texts by id ("s0011" ...), the English text when a pack has none.
    using TextLookup = std::function<QString(const QString &id, const QString &english)>;

    explicit ChatSession(QObject *parent = nullptr);
    ~ChatSession() override;

    void setTextLookup(TextLookup lookup) { m_text = std::move(lookup); }
    void setSendBacklogLimit(qint64 bytes) { m_sendBacklogLimit = bytes; }
    void setTotalBacklogLimit(qint64 bytes) { m_totalBacklogLimit = bytes; }
    void setConnectionLimit(int connections) { m_connectionLimit = connections; }
    // The team board's port when hosting: -1 (the default) for the chat port
    // + 1, or any port while the chat takes any port (0).
    void setBoardPort(int port) { m_boardPort = port; }

    // Host: listen on `port` (bound to `bindAddress`, or as the socket binds by
    // default when that is empty), become the host, list the own nick. When
    // the listen fails (the port in use) the session stays idle and ready to
    // try again; lastError() says why. The team board's relay listens beside
    // it on the same address; when it cannot, the chat hosts all the same and
    // the log says so.
    bool host(const QString &nick, quint16 port = kDefaultPort,
              const QString &bindAddress = QString());
    // Connect: an empty address does nothing but set the nick (false).
    bool connectTo(const QString &nick, const QString &address, quint16 port = kDefaultPort);
    // Enter in the input line: sends the nick, ": " and the text, and logs it.
    // Does nothing (false) before Host or Connect.
    bool sendLine(const QString &text);
    // Drops the listener and every connection, without goodbye messages, and
    // starts over idle.
    void reset();

    // The procedures the connections call.
    void Nick(const QString &tNick, const QString &Key);
    void Mensagem(const QString &sMSG, const QString &Key);
    void Disconnected(const QString &Key);
    void Saiu(const QString &stNick);
    void Listen_ConnectionRequest(qint32 requestID);
    // Adds CR LF + text at the end of the log, cut to kShownRunLimit.
    void appendLog(const QString &text);

    // Every message to a peer goes through here and is handed to its socket
    // at once. Receivers tell messages apart by the runs they read, so
    // messages of different events must never wait to leave together; the
    // socket itself queues only while the peer is not reading.
    void send(clsUser *user, const QString &message);

    QString text(const QString &id, const QString &english) const;

    bool bServer() const { return m_bServer; }
    bool bConectado() const { return m_bConectado; }
    const QString &sNick() const { return m_sNick; }
    const QVector<NickEntry> &lstNicks() const { return m_lstNicks; }
    QStringList nicks() const;
    const QString &txtChat() const { return m_txtChat; }
    CSocketMaster *Listen() const { return m_listen; }
    clsUsers *Users() const { return m_users; }
    // The port the listener got (useful when it was asked for port 0).
    quint16 listeningPort() const;
    // The board relay while hosting (null otherwise) and the port it got (0 when none).
    BoardHost *board() const { return m_board; }
    quint16 boardListeningPort() const;
    // Why the last Host or Connect failed at once ("Address already in use.").
    QString lastError() const { return m_lastError; }

Q_SIGNALS:
    // `text` is what was added after the CR LF.
    void logAppended(const QString &text);
    void logCleared();
    void nicksChanged();
    // A line of the board relay's own log (joins, leaves, dropped peers).
    void boardLogged(const QString &line);

private:
    void createListener();
    void dropListener();
    int entriesFor(qint32 itemData) const;
    QString shown(const QString &line) const;
    void boundTotalBacklog();
    void hostBoard(quint16 chatPort);
    void dropBoard();

    TextLookup m_text;
    qint64 m_sendBacklogLimit = kDefaultSendBacklogLimit;
    qint64 m_totalBacklogLimit = kDefaultTotalBacklogLimit;
    int m_connectionLimit = kDefaultConnectionLimit;
    int m_boardPort = -1;
    BoardHost *m_board = nullptr;
    bool m_bServer = false;
    bool m_bConectado = false;
    QString m_sNick;
    QVector<NickEntry> m_lstNicks;
    QString m_txtChat;
    CSocketMaster *m_listen = nullptr;
    clsUsers *m_users = nullptr;
    QString m_lastError;
};

} // namespace vantrel
