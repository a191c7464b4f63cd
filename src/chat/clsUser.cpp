#include "chat/clsUser.h"

#include "chat/ChatProtocol.h"
#include "chat/ChatSession.h"

#include <QPointer>

namespace vantrel {

clsUser::clsUser(ChatSession &session, QObject *parent)
    : QObject(parent)
    , Socket(new CSocketMaster(this))
    , m_session(session)
{
    connect(Socket, &CSocketMaster::ConnectEvent, this, &clsUser::Socket_Connect);
    connect(Socket, &CSocketMaster::DataArrival, this, &clsUser::Socket_DataArrival);
    connect(Socket, &CSocketMaster::CloseSckEvent, this, &clsUser::Socket_CloseSck);
    connect(Socket, &CSocketMaster::Error, this, &clsUser::Socket_Error);
}

void clsUser::Socket_Connect()
{
    m_session.appendLog(QStringLiteral("Conectado..."));
    m_session.send(this, ChatWire::announce(m_session.sNick()));
}

void clsUser::Socket_DataArrival(qint32)
{
    SocketData data{QString()};
    try {
        Socket->GetData(data);
    } catch (const SocketError &) {
        return;
    }
    const QString key = Key; // this connection may be dropped on the way
    const ChatRun run = classifyRun(data.as<QString>());
    switch (run.kind) {
    case ChatRun::Nicks:
        announced = true;
        for (const QString &nick : run.nicks)
            m_session.Nick(nick, key);
        break;
    case ChatRun::Left:
        m_session.Saiu(run.text);
        break;
    case ChatRun::Line:
        m_session.Mensagem(run.text, key);
        break;
    }
}

void clsUser::Socket_CloseSck()
{
    m_session.appendLog(Socket->RemoteHostIP() + QStringLiteral(" : ")
                        + QStringLiteral(" Desconectado"));
    try {
        Socket->CloseSck();
    } catch (const SocketError &) {
    }
    m_session.Disconnected(Key);
}

void clsUser::Socket_Error(SocketErrorEvent &event)
{
    // Our own send bound gave up on a peer that does not read: say so.
    if (event.Number == SocketErrorNumber::NoBufferSpace
        && event.Source == QLatin1String("CSocketMaster.SendData"))
        m_session.appendLog(
            m_session
                .text(QStringLiteral("s0062"),
                      QStringLiteral("%1 dropped: it does not read what it is sent"))
                .arg(Socket->RemoteHostIP()));
    // Handled like a close; CancelDisplay stays True, so no message box.
    Socket_CloseSck();
}

} // namespace vantrel
