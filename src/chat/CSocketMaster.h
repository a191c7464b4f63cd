#pragma once

#include "chat/SocketData.h"
#include "chat/SocketError.h"
#include "chat/modSocketMaster.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>

#include <optional>

class QHostInfo;

namespace vantrel {

// The arguments of the Error event. Description and CancelDisplay may be
// changed by a handler; CancelDisplay set to false shows a message box.
struct SocketErrorEvent
{
    qint16 Number = 0;
    QString Description;
    qint32 sCode = 0;
    QString Source;
    QString HelpFile;
    qint32 HelpContext = 0;
    bool CancelDisplay = true;
};

// An event-driven TCP/UDP socket over IPv4 on non-blocking POSIX sockets,
// driven by the thread's event loop. Precondition and argument failures and
// failing synchronous library calls are thrown as SocketError; failures found
// while handling readiness or a name lookup arrive as the Error signal.
//
// Handlers of the signals may call back into the object, close it or drop it
// with deleteLater(); the object checks that it is still alive after every
// signal it emits.
class CSocketMaster : public QObject
{
    Q_OBJECT

public:
    enum StateConstants {
        sckClosed = 0,
        sckOpen = 1,
        sckListening = 2,
        sckResolvingHost = 4,
        sckHostResolved = 5,
        sckConnecting = 6,
        sckConnected = 7,
        sckClosing = 8,
        sckError = 9,
    };
    enum ProtocolConstants { sckTCPProtocol = 0, sckUDPProtocol = 1 };

    explicit CSocketMaster(QObject *parent = nullptr);
    ~CSocketMaster() override;

    // Properties.
    qint32 RemotePort() const { return m_remotePort; }
    void setRemotePort(qint32 lngPort);
    QString RemoteHost() const { return m_remoteHost; }
    void setRemoteHost(const QString &strHost);
    QString RemoteHostIP() const { return m_remoteHostIP; }
    qint32 LocalPort() const { return m_boundLocalPort != 0 ? m_boundLocalPort : m_localPort; }
    void setLocalPort(qint32 lngPort);
    qint32 State() const { return m_state; }
    QString LocalHostName() const;
    QString LocalIP() const;
    qint32 BytesReceived() const;
    qint32 SocketHandle() const { return m_handle; }
    QString Tag() const { return m_tag; }
    void setTag(const QString &strTag) { m_tag = strTag; }
    qint32 Protocol() const { return m_protocol; }
    void setProtocol(qint32 enmProtocol);

    // Methods. An invalid QVariant stands for a missing optional argument.
    void Connect(const QVariant &remoteHost = QVariant(), const QVariant &remotePort = QVariant());
    void Bind(const QVariant &localPort = QVariant(), const QVariant &localIP = QVariant());
    void Listen();
    void Accept(qint32 requestID);
    void SendData(const SocketData &data);
    void GetData(SocketData &data, std::optional<int> varType = std::nullopt,
                 std::optional<qint64> maxLen = std::nullopt);
    void PeekData(SocketData &data, std::optional<int> varType = std::nullopt,
                  std::optional<qint64> maxLen = std::nullopt);
    void CloseSck();

    // Bytes accepted by SendData and not yet handed to the system.
    qint64 pendingSendBytes() const { return m_sendBuffer.size() - m_sendOffset; }
    // Most bytes one send call / one receive call may carry (from the socket).
    qint32 sendChunkSize() const { return m_sendChunkSize; }
    qint32 recvChunkSize() const { return m_recvChunkSize; }
    bool isAcceptHolder() const { return m_acceptHolder; }

    // Bounds for untrusted peers; 0 means no bound. A SendData that would make
    // the unsent backlog exceed the send bound fails the connection (Error
    // 10055, "No buffer space available.", posted to the event loop). When the
    // unread RecvBuffer reaches the receive bound, the socket stops reading
    // until GetData takes bytes, so the peer is slowed down and nothing is lost.
    void setSendBufferLimit(qint64 bytes) { m_sendLimit = bytes; }
    void setRecvBufferLimit(qint64 bytes);
    // Gives up on a connected TCP socket as the send bound does: the unsent
    // data goes, the state becomes sckError and the Error event with
    // `number` follows from the event loop (source "CSocketMaster.SendData").
    void abandon(int number);

    // Replaces the module's default message hook for this object.
    void setMessageHook(modSocketMaster::MessageHook hook) { m_messageHook = std::move(hook); }

    // The router's entry point: the descriptor became readable or writable.
    void PostReadiness(modSocketMaster::Readiness readiness);

Q_SIGNALS:
    // The component's seven events. CloseSck and Connect are also method
    // names, so those two signals carry an "Event" suffix.
    void CloseSckEvent();
    void ConnectEvent();
    void ConnectionRequest(qint32 requestID);
    void DataArrival(qint32 bytesTotal);
    void Error(vantrel::SocketErrorEvent &event);
    void SendComplete();
    void SendProgress(qint32 bytesSent, qint32 bytesRemaining);

private:
    bool SocketExists();
    void ProcessOptions();
    bool BindInternal(const QVariant &localPort = QVariant(), const QVariant &localIP = QVariant());
    void ResolveIfHostname();
    void PostResolution(const QHostInfo &info);
    void ConnectToIP(quint32 address, int errorCode);
    void PostSocket(int kind, int errorCode);
    void onConnectFinished();
    void onReadable();
    void AcceptWaiting();
    bool AcceptOne();
    void RecvDataToBuffer();
    void ReadUdpDatagram();
    void SendBufferedData();
    void SendBufferedDataUDP();
    void RecvData(SocketData &data, bool peek, std::optional<int> varType,
                  std::optional<qint64> maxLen, const QString &source);
    void DestroySocket();
    void CancelLookups();
    void AdoptAccepted(int handle, bool readQueued);
    void ReadPeerAddress();
    void updateInterest();
    void raiseError(int number, const QString &source);
    void postError(int number, const QString &source);
    qint64 udpWaitingSize() const;
    static QString firstLocalAddress();

    qint32 m_handle = -1;
    qint32 m_state = sckClosed;
    QString m_tag;
    QString m_remoteHost;
    qint32 m_remotePort = 0;
    QString m_remoteHostIP;
    qint32 m_localPort = 0;
    qint32 m_boundLocalPort = 0;
    QString m_localIP;
    qint32 m_protocol = sckTCPProtocol;
    qint32 m_sendChunkSize = 0;
    qint32 m_recvChunkSize = 0;
    QByteArray m_sendBuffer;
    qsizetype m_sendOffset = 0; // bytes at the front of m_sendBuffer already sent
    QByteArray m_recvBuffer;
    bool m_acceptHolder = false;
    bool m_peerClosed = false;   // end of stream seen; stop watching reads
    bool m_udpTaken = false;     // a handler took the datagram being reported
    bool m_acceptPaused = false; // listener backs off after a failing accept
    QSet<int> m_pendingResolutions;
    qint64 m_sendLimit = 0;
    qint64 m_recvLimit = 0;
    modSocketMaster::MessageHook m_messageHook;
};

} // namespace vantrel
