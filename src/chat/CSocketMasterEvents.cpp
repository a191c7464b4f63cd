#include "chat/CSocketMaster.h"
#include "chat/SocketInternals.h"

#include <QPointer>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vantrel {

using namespace SocketErrorNumber;
using namespace socket_internal;

// ---- notifications ----------------------------------------------------------

void CSocketMaster::PostReadiness(modSocketMaster::Readiness readiness)
{
    QPointer<CSocketMaster> self(this);
    const bool readable = readiness == modSocketMaster::Readiness::Readable;
    switch (m_state) {
    case sckListening:
        if (readable)
            AcceptWaiting();
        break;
    case sckConnecting:
        onConnectFinished();
        break;
    case sckConnected:
        if (m_protocol != sckTCPProtocol)
            break;
        if (readable)
            onReadable();
        else if (pendingSendBytes() > 0)
            SendBufferedData();
        break;
    case sckOpen:
        if (readable && m_protocol == sckUDPProtocol)
            ReadUdpDatagram();
        break;
    default:
        break;
    }
    if (self)
        updateInterest();
}

void CSocketMaster::PostSocket(int kind, int errorCode)
{
    if (errorCode != 0) {
        m_state = sckError;
        raiseError(errorCode, source("PostSocket"));
        return;
    }
    // Readable data is taken in onReadable(); what is left for here is the
    // peer's close.
    if (kind == 32 && m_state == sckConnected) {
        m_peerClosed = true;
        m_state = sckClosing;
        Q_EMIT CloseSckEvent();
    }
}

void CSocketMaster::onReadable()
{
    // One receive per notification. Zero bytes from a readable stream is the
    // peer's close; POSIX has no separate notification for it.
    const qsizetype old = m_recvBuffer.size();
    const qsizetype chunk = m_recvChunkSize > 0 ? m_recvChunkSize : 65536;
    m_recvBuffer.resize(old + chunk);
    const ssize_t n = ::recv(m_handle, m_recvBuffer.data() + old, size_t(chunk), 0);
    const int err = errno;
    m_recvBuffer.resize(old + qMax<ssize_t>(n, 0));
    if (n > 0) {
        Q_EMIT DataArrival(qint32(qMin<qint64>(m_recvBuffer.size(), INT_MAX)));
        return;
    }
    if (n == 0) {
        PostSocket(32, 0);
        return;
    }
    if (wouldBlock(err) || err == EINTR)
        return;
    m_state = sckError;
    raiseError(socketErrorFromErrno(err), source("RecvDataToBuffer"));
}

void CSocketMaster::RecvDataToBuffer()
{
    onReadable();
}

void CSocketMaster::onConnectFinished()
{
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(m_handle, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
        err = errno;
    if (err == 0) {
        sockaddr_in sa{};
        socklen_t plen = sizeof sa;
        if (::getpeername(m_handle, reinterpret_cast<sockaddr *>(&sa), &plen) != 0)
            return; // not connected and no error: not finished yet
    }
    if (err == EINPROGRESS || err == EALREADY)
        return; // not finished yet
    if (err != 0) {
        PostSocket(16, socketErrorFromErrno(err));
        return;
    }
    ReadPeerAddress();
    m_state = sckConnected;
    Q_EMIT ConnectEvent();
}

void CSocketMaster::AcceptWaiting()
{
    // Take what waits in the queue, a bounded number per wake-up so that the
    // other sockets get their turn.
    constexpr int kAcceptsPerWake = 64;
    QPointer<CSocketMaster> self(this);
    for (int i = 0; i < kAcceptsPerWake; ++i) {
        if (!AcceptOne() || !self || m_state != sckListening)
            return;
    }
}

bool CSocketMaster::AcceptOne()
{
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    const int fd = ::accept4(m_handle, reinterpret_cast<sockaddr *>(&peer), &len,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == EINTR || err == ECONNABORTED)
            return true;
        if (wouldBlock(err))
            return false;
        // Out of descriptors and the like: back off a little instead of
        // spinning on a connection we cannot take.
        m_acceptPaused = true;
        QTimer::singleShot(100, this, [this] {
            m_acceptPaused = false;
            updateInterest();
        });
        raiseError(socketErrorFromErrno(err), source("PostSocket"));
        return false;
    }
    auto *holder = new CSocketMaster;
    holder->AdoptAccepted(fd, true);
    modSocketMaster::AddAcceptSocket(fd, holder);

    const qint32 savedPort = m_remotePort;
    const QString savedIP = m_remoteHostIP;
    const QString savedHost = m_remoteHost;
    m_remoteHostIP = dotted(peer.sin_addr.s_addr);
    m_remotePort = ntohs(peer.sin_port);
    m_remoteHost.clear();

    QPointer<CSocketMaster> self(this);
    Q_EMIT ConnectionRequest(fd);
    if (self && m_state == sckListening) {
        m_remotePort = savedPort;
        m_remoteHostIP = savedIP;
        m_remoteHost = savedHost;
    }
    if (CSocketMaster *left = modSocketMaster::GetAcceptClass(fd)) {
        // Nobody took the connection: close it.
        modSocketMaster::RemoveAcceptSocket(fd);
        try {
            left->CloseSck();
        } catch (const SocketError &) {
        }
        delete left;
    }
    return true;
}

void CSocketMaster::ReadUdpDatagram()
{
    const qint64 n = udpWaitingSize();
    if (n < 0) {
        if (!wouldBlock(errno) && errno != EINTR) {
            char byte;
            ::recv(m_handle, &byte, 1, MSG_DONTWAIT); // clears a pending error
        }
        return;
    }
    QPointer<CSocketMaster> self(this);
    m_udpTaken = false;
    if (n > 0) {
        Q_EMIT DataArrival(qint32(qMin<qint64>(n, INT_MAX)));
        if (!self)
            return;
    }
    // Drop what the handler left of this datagram; a datagram the handler
    // took is gone already, and the next one must not be dropped in its place.
    if (!m_udpTaken && m_handle != -1 && m_state == sckOpen) {
        char byte;
        ::recv(m_handle, &byte, 1, MSG_DONTWAIT);
    }
    m_udpTaken = false;
}

void CSocketMaster::updateInterest()
{
    if (m_handle == -1 || modSocketMaster::SocketOwner(m_handle) != this)
        return;
    bool readable = false;
    bool writable = false;
    switch (m_state) {
    case sckListening:
        readable = !m_acceptPaused;
        break;
    case sckConnecting:
        writable = true;
        break;
    case sckConnected:
        if (m_protocol == sckTCPProtocol) {
            readable = !m_peerClosed && (m_recvLimit <= 0 || m_recvBuffer.size() < m_recvLimit);
            writable = pendingSendBytes() > 0;
        }
        break;
    case sckOpen:
        readable = m_protocol == sckUDPProtocol;
        break;
    default:
        break;
    }
    // An accept holder only collects; its new owner starts the watching.
    if (m_acceptHolder && modSocketMaster::GetAcceptClass(m_handle) == this)
        readable = writable = false;
    modSocketMaster::SetInterest(m_handle, readable, writable);
}

} // namespace vantrel
