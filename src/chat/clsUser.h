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
    // The peer has sent its "NICK" announcement. Joins are told only to
    // announced connections: one that connected but has not announced yet
    // gets the whole list when it does, and would otherwise list the nicks
    // that joined in between twice.
    bool announced = false;

private:
    void Socket_Connect();
    void Socket_DataArrival(qint32 bytesTotal);
    void Socket_CloseSck();
    void Socket_Error(SocketErrorEvent &event);

    ChatSession &m_session;
};

} // namespace vantrel
