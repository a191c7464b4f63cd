#include "chat/ChatSession.h"

#include "chat/ChatProtocol.h"

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
    // Connections first: their sockets must not call back into a half-gone session.
    delete m_users;
    m_users = nullptr;
}

void ChatSession::createListener()
{
    m_listen = new CSocketMaster(this);
    connect(m_listen, &CSocketMaster::ConnectionRequest, this,
            &ChatSession::Listen_ConnectionRequest);
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
    m_sNick = nick;
    m_lastError.clear();
    bool listening = false;
    try {
        if (!bindAddress.isEmpty())
            m_listen->Bind(port, bindAddress);
        else
            m_listen->setLocalPort(port);
        m_listen->Listen();
        listening = m_listen->State() == CSocketMaster::sckListening;
    } catch (const SocketError &e) {
        // As with every button, the failure is not shown; hosting goes on.
        m_lastError = e.description() + QStringLiteral(" (") + e.source() + QLatin1Char(')');
    }
    m_bServer = true;
    m_lstNicks.append({m_sNick, 0});
    Q_EMIT nicksChanged();
    m_bConectado = true;
    return listening;
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
            m_lastError = e.description() + QStringLiteral(" (") + e.source() + QLatin1Char(')');
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
    if (m_listen) {
        m_listen->blockSignals(true);
        try {
            m_listen->CloseSck();
        } catch (const SocketError &) {
        }
        m_listen->deleteLater();
    }
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
}

int ChatSession::entriesFor(qint32 itemData) const
{
    int n = 0;
    for (const NickEntry &e : m_lstNicks)
        n += e.itemData == itemData ? 1 : 0;
    return n;
}

void ChatSession::appendLog(const QString &line)
{
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
    QString nick;
    for (qsizetype i = 0; i < m_lstNicks.size(); ++i) {
        if (m_lstNicks.at(i).itemData == number) {
            nick = m_lstNicks.at(i).nick;
            m_lstNicks.removeAt(i);
            Q_EMIT nicksChanged();
            break;
        }
    }
    const QString goodbye = ChatWire::left(nick);
    for (const QPointer<clsUser> &u : m_users->NewEnum()) {
        if (u && u->Key != Key)
            send(u, goodbye);
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
