#include "chat/ChatSession.h"

#include "board/BoardClient.h"
#include "board/BoardHost.h"
#include "chat/ChatProtocol.h"

#include <QHostAddress>
#include <QPointer>

namespace vantrel {

ChatSession::ChatSession(QObject *parent)
    : QObject(parent)
    , m_users(new clsUsers(*this, this))
{
    createListener();
}

ChatSession::~ChatSession()
{
    dropBoard();
    // Connections first: their sockets must not call back into a half-gone session.
    delete m_users;
    m_users = nullptr;
}

void ChatSession::createListener()
{
    m_listen = new CSocketMaster(this);
    connect(m_listen, &CSocketMaster::ConnectionRequest, this,
            &ChatSession::Listen_ConnectionRequest);
    // A socket that cannot even be created reports it as an event.
    connect(m_listen, &CSocketMaster::Error, this,
            [this](SocketErrorEvent &e) { m_lastError = e.Description; });
}

void ChatSession::dropListener()
{
    m_listen->blockSignals(true);
    try {
        m_listen->CloseSck();
    } catch (const SocketError &) {
    }
    m_listen->deleteLater();
    m_listen = nullptr;
}

QString ChatSession::text(const QString &id, const QString &english) const
{
    if (!m_text)
        return english;
    const QString s = m_text(id, english);
    return s.isEmpty() ? english : s;
}

QStringList ChatSession::nicks() const
{
    QStringList out;
    out.reserve(m_lstNicks.size());
    for (const NickEntry &e : m_lstNicks)
        out.append(e.nick);
    return out;
}

quint16 ChatSession::listeningPort() const
{
    return m_listen && m_listen->State() == CSocketMaster::sckListening
               ? quint16(m_listen->LocalPort())
               : 0;
}

bool ChatSession::host(const QString &nick, quint16 port, const QString &bindAddress)
{
    m_lastError.clear();
    try {
        if (!bindAddress.isEmpty())
            m_listen->Bind(port, bindAddress);
        else
            m_listen->setLocalPort(port);
        m_listen->Listen();
    } catch (const SocketError &e) {
        m_lastError = e.description();
    }
    if (m_listen->State() != CSocketMaster::sckListening) {
        // Nothing changes but a fresh listener for the next try.
        dropListener();
        createListener();
        return false;
    }
    m_sNick = nick;
    m_bServer = true;
    m_lstNicks.append({m_sNick, 0});
    Q_EMIT nicksChanged();
    m_bConectado = true;
    hostBoard(port);
    return true;
}

void ChatSession::hostBoard(quint16 chatPort)
{
    dropBoard();
    const quint16 port = m_boardPort >= 0 ? quint16(m_boardPort)
                         : chatPort == 0  ? 0
                                          : BoardClient::boardPort(chatPort);
    m_board = new BoardHost(this);
    connect(m_board, &BoardHost::logLine, this, &ChatSession::boardLogged);
    if (m_board->listen(QHostAddress(m_listen->LocalIP()), port))
        return;
    // The chat goes on without the board.
    appendLog(text(QStringLiteral("s0095"),
                   QStringLiteral("The team board could not listen on port %1: %2"))
                  .arg(QString::number(port), m_board->errorString()));
    dropBoard();
}

void ChatSession::dropBoard()
{
    delete m_board;
    m_board = nullptr;
}

quint16 ChatSession::boardListeningPort() const
{
    return m_board ? m_board->port() : 0;
}

bool ChatSession::connectTo(const QString &nick, const QString &address, quint16 port)
{
    m_sNick = nick;
    if (address.isEmpty())
        return false;
    if (clsUser *user = m_users->Add(QStringLiteral("1"))) {
        user->Socket->setSendBufferLimit(m_sendBacklogLimit);
        try {
            user->Socket->Connect(address, port);
        } catch (const SocketError &e) {
            m_lastError = e.description();
        }
    }
    m_bServer = false;
    m_bConectado = true;
    return true;
}

bool ChatSession::sendLine(const QString &typed)
{
    if (!m_bConectado)
        return false;
    const QString line = ChatWire::line(m_sNick, typed);
    if (m_bServer) {
        for (const QPointer<clsUser> &u : m_users->NewEnum())
            send(u, line);
    } else {
        send(m_users->Item(QStringLiteral("1")), line);
    }
    appendLog(line);
    return true;
}

void ChatSession::reset()
{
    m_users->closeAll();
    dropBoard();
    dropListener();
    createListener();
    m_bServer = false;
    m_bConectado = false;
    m_sNick.clear();
    m_lstNicks.clear();
    m_txtChat.clear();
    m_lastError.clear();
    Q_EMIT nicksChanged();
    Q_EMIT logCleared();
}

void ChatSession::send(clsUser *user, const QString &message)
{
    if (!user || message.isEmpty())
        return;
    try {
        user->Socket->SendData(message);
    } catch (const SocketError &) {
        // a failed send does not stop a relay loop
    }
    if (m_bServer && user->Socket->pendingSendBytes() > 0)
        boundTotalBacklog();
}

void ChatSession::boundTotalBacklog()
{
    if (m_totalBacklogLimit <= 0)
        return;
    for (;;) {
        qint64 total = 0;
        CSocketMaster *largest = nullptr;
        for (const QPointer<clsUser> &u : m_users->NewEnum()) {
            const qint64 pending = u ? u->Socket->pendingSendBytes() : 0;
            total += pending;
            if (pending > 0 && (!largest || pending > largest->pendingSendBytes()))
                largest = u->Socket;
        }
        if (total <= m_totalBacklogLimit || !largest)
            return;
        // Goes the way of a peer past its own bound: dropped with error 10055.
        largest->abandon(SocketErrorNumber::NoBufferSpace);
    }
}

int ChatSession::entriesFor(qint32 itemData) const
{
    int n = 0;
    for (const NickEntry &e : m_lstNicks)
        n += e.itemData == itemData ? 1 : 0;
    return n;
}

QString ChatSession::shown(const QString &line) const
{
    if (line.size() <= kShownRunLimit)
        return line;
    return line.left(kShownRunLimit)
           + text(QStringLiteral("s0061"), QStringLiteral("\u2026 [%1 more characters not shown]"))
                 .arg(line.size() - kShownRunLimit);
}

void ChatSession::appendLog(const QString &full)
{
    // A peer may send megabytes without a blank: laying that out would hold
    // up every window for seconds, and nobody reads it anyway.
    const QString line = shown(full);
    m_txtChat += ChatWire::kCrLf;
    m_txtChat += line;
    if (m_txtChat.size() > kLogLimit) {
        // Keep the newest half, from a line start where there is one; halving
        // (rather than trimming to the limit) keeps the cost per line small.
        qsizetype cut = m_txtChat.size() - kLogLimit / 2;
        const qsizetype lineStart = m_txtChat.indexOf(ChatWire::kCrLf, cut);
        if (lineStart >= 0)
            cut = lineStart;
        m_txtChat.remove(0, cut);
    }
    Q_EMIT logAppended(line);
}

void ChatSession::Nick(const QString &tNick, const QString &Key)
{
    const qint32 number = Key.toInt();
    // Untrusted peers: one connection cannot grow the list (and the copies of
    // it we send) without end.
    if (tNick.size() > kNickLengthLimit)
        return;
    if (m_bServer ? entriesFor(number) >= kNicksPerConnection : m_lstNicks.size() >= kNickListLimit)
        return;
    m_lstNicks.append({tNick, number});
    Q_EMIT nicksChanged();
    if (!m_bServer)
        return;
    // The whole list to the newcomer (the bytes of one "NICK" message per
    // entry, in list order), the new nick to everybody else.
    QString list;
    for (const NickEntry &e : std::as_const(m_lstNicks))
        list += ChatWire::nickEntry(e.nick);
    send(m_users->Item(Key), list);
    const QString joined = ChatWire::nickEntry(tNick);
    for (const QPointer<clsUser> &u : m_users->NewEnum()) {
        if (u && u->Key != Key && u->announced)
            send(u, joined);
    }
}

void ChatSession::Mensagem(const QString &sMSG, const QString &Key)
{
    appendLog(sMSG);
    if (!m_bServer)
        return;
    for (const QPointer<clsUser> &u : m_users->NewEnum()) {
        if (u && u->Key != Key)
            send(u, sMSG);
    }
}

void ChatSession::Disconnected(const QString &Key)
{
    const qint32 number = Key.toInt();
    // On the host every nick the connection listed leaves with it, so that a
    // later connection on the same socket number starts with none. A client
    // lists everybody under its one connection and takes out the first.
    QStringList gone;
    for (qsizetype i = 0; i < m_lstNicks.size();) {
        if (m_lstNicks.at(i).itemData != number) {
            ++i;
            continue;
        }
        gone.append(m_lstNicks.takeAt(i).nick);
        if (!m_bServer)
            break;
    }
    if (!gone.isEmpty())
        Q_EMIT nicksChanged();
    else
        gone.append(QString()); // a connection that never named itself: "SAIU "
    for (const QString &nick : std::as_const(gone)) {
        const QString goodbye = ChatWire::left(nick);
        for (const QPointer<clsUser> &u : m_users->NewEnum()) {
            if (u && u->Key != Key)
                send(u, goodbye);
        }
    }
    m_users->Remove(Key);
}

void ChatSession::Saiu(const QString &stNick)
{
    for (qsizetype i = 0; i < m_lstNicks.size(); ++i) {
        if (m_lstNicks.at(i).nick == stNick) {
            m_lstNicks.removeAt(i);
            Q_EMIT nicksChanged();
            return;
        }
    }
}

void ChatSession::Listen_ConnectionRequest(qint32 requestID)
{
    if (m_users->Count() >= m_connectionLimit) {
        // Not accepted: the listener closes it after this event.
        appendLog(
            text(QStringLiteral("s0063"), QStringLiteral("%1 refused: the chat has %2 connections"))
                .arg(m_listen->RemoteHostIP(), QString::number(m_connectionLimit)));
        return;
    }
    QPointer<clsUser> user = m_users->Add(QString::number(requestID));
    if (!user)
        return; // not accepted: the listener closes it
    user->Socket->setSendBufferLimit(m_sendBacklogLimit);
    try {
        user->Socket->Accept(requestID);
    } catch (const SocketError &) {
    }
    const QString address = user ? user->Socket->RemoteHostIP() : QString();
    appendLog(address + text(QStringLiteral("s0011"), QStringLiteral(" Connected...")));
}

} // namespace vantrel
