#pragma once

#include "chat/CSocketMaster.h"

#include <QObject>
#include <QString>

namespace vantrel {

class ChatSession;

// One chat connection: its key in the collection and its socket, whose
// events it turns into calls of the session's procedures.
class clsUser : public QObject
{
    Q_OBJECT

public:
    clsUser(ChatSession &session, QObject *parent = nullptr);

    QString Key;
    CSocketMaster *const Socket;

private:
    void Socket_Connect();
    void Socket_DataArrival(qint32 bytesTotal);
    void Socket_CloseSck();
    void Socket_Error(SocketErrorEvent &event);

    ChatSession &m_session;
};

} // namespace vantrel
