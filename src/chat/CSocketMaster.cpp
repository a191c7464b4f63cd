#include "chat/CSocketMaster.h"
#include "chat/SocketInternals.h"

#include <QDebug>
#include <QHostInfo>
#include <QPointer>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vantrel {

using namespace SocketErrorNumber;
using namespace socket_internal;

CSocketMaster::CSocketMaster(QObject *parent)
    : QObject(parent)
{
    modSocketMaster::InitiateProcesses();
}

CSocketMaster::~CSocketMaster()
{
    CancelLookups();
    if (m_handle != -1) {
        if (modSocketMaster::GetAcceptClass(m_handle) == this)
            modSocketMaster::RemoveAcceptSocket(m_handle);
        if (!m_acceptHolder) {
            try {
                DestroySocket();
            } catch (const SocketError &) {
                // nobody to tell in a destructor
            }
        } else if (modSocketMaster::SocketOwner(m_handle) == this) {
            // A holder leaves the socket open, but must not stay its owner.
            modSocketMaster::UnregisterSocket(m_handle);
        }
    }
    modSocketMaster::FinalizeProcesses();
}

// ---- properties -------------------------------------------------------------

void CSocketMaster::setRemotePort(qint32 lngPort)
{
    if (m_protocol == sckTCPProtocol && m_state != sckClosed)
        raise(InvalidState, kStateText, "RemotePort");
    if (lngPort < 0 || lngPort > 65535)
        raise(InvalidArgument, kRangeText, "RemotePort");
    m_remotePort = lngPort;
}

void CSocketMaster::setRemoteHost(const QString &strHost)
{
    if (m_protocol == sckTCPProtocol && m_state != sckClosed)
        raise(InvalidState, kStateText, "RemoteHost");
    m_remoteHost = strHost;
}

void CSocketMaster::setLocalPort(qint32 lngPort)
{
    if (m_state != sckClosed)
        raise(InvalidState, kStateText, "LocalPort");
    if (lngPort < 0 || lngPort > 65535)
        raise(InvalidArgument, kRangeText, "LocalPort");
    m_localPort = lngPort;
}

void CSocketMaster::setProtocol(qint32 enmProtocol)
{
    if (m_state != sckClosed)
        raise(InvalidState, kStateText, "Protocol");
    if (enmProtocol != sckTCPProtocol && enmProtocol != sckUDPProtocol)
        raise(InvalidArgument, kRangeText, "Protocol");
    m_protocol = enmProtocol;
}

QString CSocketMaster::LocalHostName() const
{
    char name[257] = {};
    if (::gethostname(name, 256) != 0)
        throwSocketErrno(errno, source("GetLocalHostName"));
    return QString::fromLocal8Bit(name, qsizetype(::strnlen(name, 256)));
}

QString CSocketMaster::firstLocalAddress()
{
    char name[257] = {};
    if (::gethostname(name, 256) != 0)
        throwSocketErrno(errno, source("GetLocalIP"));
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *res = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &res) != 0 || !res)
        throw SocketError(11001, socketErrorText(11001), source("GetLocalIP"));
    const quint32 addr = reinterpret_cast<sockaddr_in *>(res->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(res);
    return dotted(addr);
}

QString CSocketMaster::LocalIP() const
{
    if (m_state == sckOpen || m_state == sckListening)
        return m_localIP;
    return firstLocalAddress();
}

qint64 CSocketMaster::udpWaitingSize() const
{
    if (m_handle == -1)
        return -1;
    char byte;
    const ssize_t n = ::recv(m_handle, &byte, 1, MSG_PEEK | MSG_TRUNC | MSG_DONTWAIT);
    return n;
}

qint32 CSocketMaster::BytesReceived() const
{
    if (m_protocol == sckTCPProtocol)
        return qint32(qMin<qint64>(m_recvBuffer.size(), INT_MAX));
    return qint32(qMax<qint64>(udpWaitingSize(), 0));
}

void CSocketMaster::setRecvBufferLimit(qint64 bytes)
{
    m_recvLimit = bytes;
    updateInterest();
}

// ---- socket creation, binding ---------------------------------------------

bool CSocketMaster::SocketExists()
{
    if (m_handle != -1)
        return true;
    const bool tcp = m_protocol == sckTCPProtocol;
    const int fd
        = ::socket(AF_INET, (tcp ? SOCK_STREAM : SOCK_DGRAM) | SOCK_NONBLOCK | SOCK_CLOEXEC,
                   tcp ? IPPROTO_TCP : IPPROTO_UDP);
    if (fd < 0) {
        m_state = sckError;
        raiseError(socketErrorFromErrno(errno), source("SocketExists"));
        return false;
    }
    m_handle = fd;
    if (tcp) {
        // A restarted host must get its port back while old connections sit
        // in TIME_WAIT; a second listener on the port still fails (10048).
        const int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        setNoDelay(fd);
    }
    ProcessOptions();
    modSocketMaster::RegisterSocket(fd, this, true);
    return true;
}

void CSocketMaster::ProcessOptions()
{
    if (m_protocol == sckUDPProtocol) {
        const int one = 1;
        if (::setsockopt(m_handle, SOL_SOCKET, SO_BROADCAST, &one, sizeof one) != 0)
            throwSocketErrno(errno, source("ProcessOptions"));
        m_sendChunkSize = m_recvChunkSize = kUdpMaxMessage;
        return;
    }
    int value = 0;
    socklen_t len = sizeof value;
    if (::getsockopt(m_handle, SOL_SOCKET, SO_RCVBUF, &value, &len) != 0)
        throwSocketErrno(errno, source("ProcessOptions"));
    m_recvChunkSize = qMax(value, 1);
    len = sizeof value;
    if (::getsockopt(m_handle, SOL_SOCKET, SO_SNDBUF, &value, &len) != 0)
        throwSocketErrno(errno, source("ProcessOptions"));
    m_sendChunkSize = qMax(value, 1);
}

bool CSocketMaster::BindInternal(const QVariant &localPort, const QVariant &localIP)
{
    if (m_state == sckOpen)
        return true;
    const qint32 port
        = localPort.isValid() ? portArgument(localPort, 0, "BindInternal") : m_localPort;
    const bool explicitAddress = localIP.isValid() && !localIP.toString().isEmpty();
    const QString addressText = explicitAddress ? localIP.toString() : firstLocalAddress();
    std::optional<quint32> address = resolveSync(addressText);
    if (!address)
        raise(InvalidArgument, QStringLiteral("Invalid argument"), "BindInternal");
    // Where the host name resolves to a loopback address (127.0.1.1 on
    // Debian), binding there would let no other machine reach us: use all
    // IPv4 addresses instead.
    if (!explicitAddress && isLoopback(*address))
        address = htonl(INADDR_ANY);
    if (!SocketExists())
        return false;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(quint16(port));
    sa.sin_addr.s_addr = *address;
    if (::bind(m_handle, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0)
        throwSocketErrno(errno, source("BindInternal"));
    m_localIP = dotted(*address);
    if (port != 0) {
        m_localPort = port;
    } else {
        socklen_t len = sizeof sa;
        if (::getsockname(m_handle, reinterpret_cast<sockaddr *>(&sa), &len) != 0)
            throwSocketErrno(errno, source("BindInternal"));
        m_boundLocalPort = ntohs(sa.sin_port);
    }
    return true;
}

// ---- methods ----------------------------------------------------------------

void CSocketMaster::Connect(const QVariant &remoteHost, const QVariant &remotePort)
{
    if (m_state != sckClosed)
        raise(InvalidState, kStateText, "Connect");
    if (remoteHost.isValid())
        m_remoteHost = remoteHost.toString();
    if (remotePort.isValid())
        m_remotePort = portArgument(remotePort, 1, "Connect");
    if (!SocketExists())
        return;
    if (m_protocol == sckTCPProtocol) {
        QPointer<CSocketMaster> self(this);
        ResolveIfHostname();
        if (self)
            updateInterest();
    } else if (BindInternal()) {
        m_state = sckOpen;
        updateInterest();
    }
}

void CSocketMaster::Bind(const QVariant &localPort, const QVariant &localIP)
{
    if (m_state != sckClosed)
        raise(InvalidState, kStateText, "Bind");
    if (BindInternal(localPort, localIP)) {
        m_state = sckOpen;
        updateInterest();
    }
}

void CSocketMaster::Listen()
{
    if (m_state != sckClosed && m_state != sckOpen)
        raise(InvalidState, kStateText, "Listen");
    if (!SocketExists())
        return;
    if (m_state != sckOpen && !BindInternal())
        return;
    // A queue as long as the system allows: under a storm of connects a short
    // one drops them, and each dropped connect retries only a second later.
    if (::listen(m_handle, SOMAXCONN) != 0)
        throwSocketErrno(errno, source("Listen"));
    m_state = sckListening;
    updateInterest();
}

void CSocketMaster::ResolveIfHostname()
{
    in_addr a{};
    if (::inet_pton(AF_INET, m_remoteHost.toUtf8().constData(), &a) == 1) {
        ConnectToIP(a.s_addr, 0);
        return;
    }
    m_state = sckResolvingHost;
    const int id = QHostInfo::lookupHost(m_remoteHost, this, &CSocketMaster::PostResolution);
    m_pendingResolutions.insert(id);
    modSocketMaster::RegisterResolution(id, this);
}

void CSocketMaster::PostResolution(const QHostInfo &info)
{
    const int id = info.lookupId();
    if (!m_pendingResolutions.remove(id))
        return; // cancelled
    modSocketMaster::UnregisterResolution(id);
    if (m_state != sckResolvingHost)
        return;
    QPointer<CSocketMaster> self(this);
    try {
        if (info.error() != QHostInfo::NoError) {
            ConnectToIP(0, socketErrorFromLookup(info.error()));
        } else {
            std::optional<quint32> address;
            for (const QHostAddress &a : info.addresses()) {
                if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                    address = htonl(a.toIPv4Address());
                    break;
                }
            }
            if (!address) {
                ConnectToIP(0, 11004);
            } else {
                m_state = sckHostResolved;
                ConnectToIP(*address, 0);
            }
        }
    } catch (const SocketError &e) {
        // No caller is waiting: a failure here goes the asynchronous way.
        if (!self)
            return;
        m_state = sckError;
        raiseError(e.number(), e.source());
    }
    if (self)
        updateInterest();
}

void CSocketMaster::ConnectToIP(quint32 address, int errorCode)
{
    if (errorCode != 0) {
        m_state = sckError;
        raiseError(errorCode, source("ConnectToIP"));
        return;
    }
    if (!BindInternal())
        return;
    m_state = sckConnecting;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(quint16(m_remotePort));
    sa.sin_addr.s_addr = address;
    if (::connect(m_handle, reinterpret_cast<sockaddr *>(&sa), sizeof sa) == 0)
        return; // finished at once: the writable notification reports it
    const int err = errno;
    if (err == EINPROGRESS || wouldBlock(err) || err == EINTR)
        return;
    if (err == EADDRNOTAVAIL)
        raise(AddressNotAvailable, socketErrorText(AddressNotAvailable), "ConnectToIP");
    m_state = sckError;
    raiseError(socketErrorFromErrno(err), source("ConnectToIP"));
}

void CSocketMaster::ReadPeerAddress()
{
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (::getpeername(m_handle, reinterpret_cast<sockaddr *>(&sa), &len) == 0) {
        m_remoteHostIP = dotted(sa.sin_addr.s_addr);
        m_remotePort = ntohs(sa.sin_port);
    }
}

void CSocketMaster::AdoptAccepted(int handle, bool readQueued)
{
    m_protocol = sckTCPProtocol;
    m_handle = handle;
    m_acceptHolder = true;
    m_state = sckConnected;
    try {
        ProcessOptions();
    } catch (const SocketError &) {
        m_sendChunkSize = m_recvChunkSize = 65536;
    }
    modSocketMaster::RegisterSocket(handle, this, false);
    setNoDelay(handle);
    ReadPeerAddress();
    if (!readQueued)
        return;
    // Take in what the peer already sent, so that it reaches the accepting
    // object as one DataArrival raised from inside Accept.
    while (m_recvBuffer.size() < kHolderPrefetch) {
        const qsizetype old = m_recvBuffer.size();
        const qsizetype chunk = qMin<qsizetype>(m_recvChunkSize, kHolderPrefetch - old);
        m_recvBuffer.resize(old + chunk);
        const ssize_t n = ::recv(handle, m_recvBuffer.data() + old, size_t(chunk), 0);
        m_recvBuffer.resize(old + qMax<ssize_t>(n, 0));
        if (n > 0)
            continue;
        if (n == 0) {
            m_peerClosed = true;
            m_state = sckClosing;
        } else if (!wouldBlock(errno) && errno != EINTR) {
            m_state = sckError;
        }
        break;
    }
}

void CSocketMaster::Accept(qint32 requestID)
{
    if (m_state != sckClosed)
        raise(InvalidState, kStateText, "Accept");
    if (CSocketMaster *holder = modSocketMaster::GetAcceptClass(requestID)) {
        modSocketMaster::RemoveAcceptSocket(requestID);
        m_protocol = sckTCPProtocol;
        m_handle = requestID;
        m_sendChunkSize = holder->m_sendChunkSize;
        m_recvChunkSize = holder->m_recvChunkSize;
        sockaddr_in sa{};
        socklen_t len = sizeof sa;
        if (::getsockname(requestID, reinterpret_cast<sockaddr *>(&sa), &len) != 0) {
            const int err = errno;
            m_handle = -1;
            modSocketMaster::AddAcceptSocket(requestID, holder);
            throwSocketErrno(err, source("Accept"));
        }
        m_localIP = dotted(sa.sin_addr.s_addr);
        m_boundLocalPort = ntohs(sa.sin_port);
        m_remoteHostIP = holder->m_remoteHostIP;
        m_remotePort = holder->m_remotePort;
        m_remoteHost.clear();
        m_state = sckConnected;
        m_recvBuffer = std::move(holder->m_recvBuffer);
        m_peerClosed = holder->m_peerClosed;
        const qint32 holderState = holder->m_state;
        modSocketMaster::RegisterSocket(requestID, this, false);
        holder->m_handle = -1; // released without closing the socket
        delete holder;

        QPointer<CSocketMaster> self(this);
        if (!m_recvBuffer.isEmpty()) {
            Q_EMIT DataArrival(qint32(qMin<qint64>(m_recvBuffer.size(), INT_MAX)));
            if (!self)
                return;
        }
        if (holderState == sckClosing && m_state == sckConnected) {
            m_state = sckClosing;
            Q_EMIT CloseSckEvent();
            if (!self)
                return;
        } else if (holderState == sckError && m_state == sckConnected) {
            // The connection failed while it waited; say so the usual way.
            int err = 0;
            socklen_t elen = sizeof err;
            ::getsockopt(m_handle, SOL_SOCKET, SO_ERROR, &err, &elen);
            m_state = sckError;
            raiseError(socketErrorFromErrno(err ? err : ECONNRESET), source("PostSocket"));
            if (!self)
                return;
        }
        updateInterest();
        return;
    }
    if (modSocketMaster::IsSocketRegistered(requestID))
        raise(WrongProtocolOrState, kWrongStateText, "Accept");
    AdoptAccepted(requestID, false);
    updateInterest();
}

// ---- closing ----------------------------------------------------------------

void CSocketMaster::CancelLookups()
{
    for (int id : std::as_const(m_pendingResolutions)) {
        QHostInfo::abortHostLookup(id);
        modSocketMaster::UnregisterResolution(id);
    }
    m_pendingResolutions.clear();
}

void CSocketMaster::DestroySocket()
{
    const int handle = m_handle;
    if (modSocketMaster::SocketOwner(handle) == this || !modSocketMaster::SocketOwner(handle))
        modSocketMaster::UnregisterSocket(handle);
    m_handle = -1;
    if (::close(handle) != 0 && errno != EINTR) {
        m_state = sckError;
        throwSocketErrno(errno, source("DestroySocket"));
    }
}

void CSocketMaster::CloseSck()
{
    if (m_handle == -1)
        return;
    m_state = sckClosing;
    CancelLookups();
    if (modSocketMaster::GetAcceptClass(m_handle) == this)
        modSocketMaster::RemoveAcceptSocket(m_handle);
    DestroySocket();
    m_boundLocalPort = 0;
    m_remoteHostIP.clear();
    m_recvBuffer.clear();
    m_sendBuffer.clear();
    m_sendOffset = 0;
    m_sendChunkSize = 0;
    m_recvChunkSize = 0;
    m_peerClosed = false;
    m_udpTaken = false;
    m_acceptPaused = false;
    m_state = sckClosed;
}
// ---- errors -----------------------------------------------------------------

void CSocketMaster::raiseError(int number, const QString &src)
{
    SocketErrorEvent event;
    event.Number = qint16(number);
    event.Description = socketErrorText(number);
    event.Source = src;
    QPointer<CSocketMaster> self(this);
    Q_EMIT Error(event);
    if (self)
        updateInterest();
    if (event.CancelDisplay)
        return;
    const modSocketMaster::MessageHook &hook
        = self && m_messageHook ? m_messageHook : modSocketMaster::defaultMessageHook();
    if (hook)
        hook(event.Description, event.Source);
    else
        qWarning().noquote() << event.Source << event.Description;
}

void CSocketMaster::postError(int number, const QString &src)
{
    QTimer::singleShot(0, this, [this, number, src] { raiseError(number, src); });
}

} // namespace vantrel
