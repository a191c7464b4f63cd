#include "chat/CSocketMaster.h"

#include "strat/Ansi.h"

#include <QDebug>
#include <QHostInfo>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vantrel {

namespace {

using namespace SocketErrorNumber;

const QString kRangeText = QStringLiteral(
    "The argument passed to a function was not in the correct format or in the specified range.");
const QString kStateText = QStringLiteral("Invalid operation at current state");
const QString kWrongStateText
    = QStringLiteral("Wrong protocol or connection state for the requested transaction or request");
const QString kTypeText = QStringLiteral("Unsupported variant type.");

// The largest IPv4 datagram payload; Linux has no SO_MAX_MSG_SIZE to ask.
constexpr qint32 kUdpMaxMessage = 65507;
// What a new accept holder reads of data the peer sent before the accept.
constexpr qint64 kHolderPrefetch = 256 * 1024;

QString source(const char *procedure)
{
    return QStringLiteral("CSocketMaster.") + QLatin1String(procedure);
}

[[noreturn]] void raise(int number, const QString &text, const char *procedure)
{
    throw SocketError(number, text, source(procedure));
}

QString dotted(quint32 networkOrder)
{
    char buf[INET_ADDRSTRLEN] = {};
    in_addr a{};
    a.s_addr = networkOrder;
    ::inet_ntop(AF_INET, &a, buf, sizeof buf);
    return QString::fromLatin1(buf);
}

// A port argument: not numeric -> 40018, out of 0..65535 -> 40014.
qint32 portArgument(const QVariant &v, int lowest, const char *procedure)
{
    bool ok = false;
    const qlonglong p = v.toLongLong(&ok);
    if (!ok)
        raise(UnsupportedType, kTypeText, procedure);
    if (p < lowest || p > 65535)
        raise(InvalidArgument, kRangeText, procedure);
    return qint32(p);
}

// Dotted text directly, a name through a blocking lookup; nullopt when the
// text is empty or does not resolve to an IPv4 address.
std::optional<quint32> resolveSync(const QString &host)
{
    if (host.isEmpty())
        return std::nullopt;
    const QByteArray h = host.toUtf8();
    in_addr a{};
    if (::inet_pton(AF_INET, h.constData(), &a) == 1)
        return a.s_addr;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *res = nullptr;
    if (::getaddrinfo(h.constData(), nullptr, &hints, &res) != 0 || !res)
        return std::nullopt;
    const quint32 addr = reinterpret_cast<sockaddr_in *>(res->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(res);
    return addr;
}

// Chat runs are small and interactive: a second small send must not wait
// for the peer's delayed acknowledgement of the first.
void setNoDelay(int fd)
{
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

bool isLoopback(quint32 networkOrder)
{
    return (ntohl(networkOrder) >> 24) == 127;
}

bool wouldBlock(int err)
{
    return err == EAGAIN || err == EWOULDBLOCK;
}

template<class T> QByteArray littleEndian(T v)
{
    QByteArray out(sizeof(T), Qt::Uninitialized);
    qToLittleEndian(v, out.data());
    return out;
}

template<class T> T fromLittleEndian(const QByteArray &b)
{
    return qFromLittleEndian<T>(b.constData());
}

// The wire image of a value; nullopt for kinds the wire cannot carry.
std::optional<QByteArray> toBytes(const SocketData &data)
{
    struct Visitor
    {
        std::optional<QByteArray> operator()(std::monostate) const { return std::nullopt; }
        std::optional<QByteArray> operator()(qint16 v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(qint32 v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(float v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(double v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(Currency v) const { return littleEndian(v.scaled); }
        std::optional<QByteArray> operator()(DateValue v) const { return littleEndian(v.days); }
        std::optional<QByteArray> operator()(const QString &v) const { return Ansi::encode(v); }
        std::optional<QByteArray> operator()(bool v) const
        {
            return littleEndian(qint16(v ? -1 : 0));
        }
        std::optional<QByteArray> operator()(quint8 v) const { return QByteArray(1, char(v)); }
        std::optional<QByteArray> operator()(const QByteArray &v) const { return v; }
        std::optional<QByteArray> operator()(UnsupportedValue) const { return std::nullopt; }
    };
    return std::visit(Visitor{}, data.value());
}

SocketData fromBytes(VarType kind, const QByteArray &b)
{
    switch (kind) {
    case VarType::Integer:
        return fromLittleEndian<qint16>(b);
    case VarType::Long:
        return fromLittleEndian<qint32>(b);
    case VarType::Single:
        return fromLittleEndian<float>(b);
    case VarType::Double:
        return fromLittleEndian<double>(b);
    case VarType::Currency:
        return Currency{fromLittleEndian<qint64>(b)};
    case VarType::Date:
        return DateValue{fromLittleEndian<double>(b)};
    case VarType::Boolean:
        return fromLittleEndian<qint16>(b) != 0;
    case VarType::Byte:
        return quint8(b.at(0));
    case VarType::String:
        return Ansi::decode(b);
    default:
        return b;
    }
}

SocketData emptyOf(VarType kind)
{
    return kind == VarType::String ? SocketData(QString()) : SocketData(QByteArray());
}

} // namespace

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
    if (::listen(m_handle, 5) != 0)
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

// ---- sending ----------------------------------------------------------------

void CSocketMaster::SendData(const SocketData &data)
{
    if (m_protocol == sckTCPProtocol) {
        if (m_state != sckConnected)
            raise(WrongProtocolOrState, kWrongStateText, "SendData");
    } else {
        if (!SocketExists() || !BindInternal())
            return;
        m_state = sckOpen;
    }
    const std::optional<QByteArray> bytes = toBytes(data);
    if (!bytes)
        raise(UnsupportedType, kTypeText, "SendData");
    if (bytes->isEmpty())
        return;
    if (m_protocol == sckTCPProtocol && m_sendLimit > 0
        && pendingSendBytes() + bytes->size() > m_sendLimit) {
        // The peer does not read what we queue for it: give up on it rather
        // than let its backlog grow without end.
        m_sendBuffer.clear();
        m_sendOffset = 0;
        m_state = sckError;
        updateInterest();
        postError(NoBufferSpace, source("SendData"));
        return;
    }
    const bool wasEmpty = pendingSendBytes() == 0;
    if (wasEmpty) {
        m_sendBuffer.clear();
        m_sendOffset = 0;
    } else if (m_sendOffset > 0 && m_sendOffset >= m_sendBuffer.size() / 2) {
        m_sendBuffer.remove(0, m_sendOffset);
        m_sendOffset = 0;
    }
    m_sendBuffer.append(*bytes);
    if (!wasEmpty)
        return; // goes out on the next writable notification
    if (m_protocol == sckUDPProtocol) {
        SendBufferedDataUDP();
        return;
    }
    QPointer<CSocketMaster> self(this);
    SendBufferedData();
    if (self)
        updateInterest();
}

void CSocketMaster::SendBufferedData()
{
    QPointer<CSocketMaster> self(this);
    qint64 count = 0;
    while (pendingSendBytes() > 0) {
        const qint64 len
            = qMin<qint64>(m_sendChunkSize > 0 ? m_sendChunkSize : 65536, pendingSendBytes());
        const ssize_t n
            = ::send(m_handle, m_sendBuffer.constData() + m_sendOffset, size_t(len), MSG_NOSIGNAL);
        if (n >= 0) {
            count += n;
            m_sendOffset += n;
            if (pendingSendBytes() == 0) {
                m_sendBuffer.clear();
                m_sendOffset = 0;
                Q_EMIT SendProgress(qint32(qMin<qint64>(count, INT_MAX)), 0);
                if (!self)
                    return;
                Q_EMIT SendComplete();
                return;
            }
            continue;
        }
        const int err = errno;
        if (err == EINTR)
            continue;
        if (wouldBlock(err)) {
            if (count >= 1)
                Q_EMIT SendProgress(qint32(qMin<qint64>(count, INT_MAX)),
                                    qint32(qMin<qint64>(pendingSendBytes(), INT_MAX)));
            return;
        }
        m_state = sckError;
        raiseError(socketErrorFromErrno(err), source("SendBufferedData"));
        return;
    }
}

void CSocketMaster::SendBufferedDataUDP()
{
    const std::optional<quint32> address = resolveSync(m_remoteHost);
    if (!address) {
        m_sendBuffer.clear();
        m_sendOffset = 0;
        if (m_remoteHost.isEmpty())
            raise(AddressFamily, socketErrorText(AddressFamily), "SendBufferedDataUDP");
        raise(InvalidArgument, QStringLiteral("Invalid argument"), "SendBufferedDataUDP");
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(quint16(m_remotePort));
    sa.sin_addr.s_addr = *address;
    const QByteArray datagram = m_sendBuffer.mid(m_sendOffset);
    m_sendBuffer.clear();
    m_sendOffset = 0;
    if (::sendto(m_handle, datagram.constData(), size_t(datagram.size()), MSG_NOSIGNAL,
                 reinterpret_cast<sockaddr *>(&sa), sizeof sa)
        < 0) {
        m_state = sckError;
        raiseError(socketErrorFromErrno(errno), source("SendBufferedDataUDP"));
    }
}

// ---- receiving --------------------------------------------------------------

void CSocketMaster::GetData(SocketData &data, std::optional<int> varType,
                            std::optional<qint64> maxLen)
{
    if (m_protocol == sckTCPProtocol) {
        if (m_state != sckConnected && !m_acceptHolder)
            raise(WrongProtocolOrState, kWrongStateText, "GetData");
    } else {
        if (m_state != sckOpen)
            raise(WrongProtocolOrState, kWrongStateText, "GetData");
        if (udpWaitingSize() < 0)
            return;
    }
    if (maxLen && *maxLen < 0)
        raise(InvalidArgument, kRangeText, "GetData");
    RecvData(data, false, varType, maxLen, source("GetData"));
    updateInterest(); // a paused reader may go on now
}

void CSocketMaster::PeekData(SocketData &data, std::optional<int> varType,
                             std::optional<qint64> maxLen)
{
    if (m_protocol == sckTCPProtocol) {
        if (m_state != sckConnected)
            raise(WrongProtocolOrState, kWrongStateText, "PeekData");
    } else {
        if (m_state != sckOpen)
            raise(WrongProtocolOrState, kWrongStateText, "PeekData");
        if (udpWaitingSize() < 0)
            return;
    }
    if (maxLen && *maxLen < 0)
        raise(InvalidArgument, kRangeText, "PeekData");
    RecvData(data, true, varType, maxLen, source("PeekData"));
}

void CSocketMaster::RecvData(SocketData &data, bool peek, std::optional<int> varType,
                             std::optional<qint64> maxLen, const QString &)
{
    const bool tcp = m_protocol == sckTCPProtocol;
    const VarType kind = !data.isEmpty() ? data.type()
                         : varType       ? VarType(*varType)
                                         : VarType::ByteArray;
    const qint64 available = tcp ? m_recvBuffer.size() : qMax<qint64>(udpWaitingSize(), 0);

    int recvError = 0;
    auto take = [&](qint64 n) -> QByteArray {
        if (tcp) {
            QByteArray out = m_recvBuffer.left(n);
            if (!peek)
                m_recvBuffer.remove(0, n);
            return out;
        }
        QByteArray out(n, Qt::Uninitialized);
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t got
            = ::recvfrom(m_handle, out.data(), size_t(n), MSG_DONTWAIT | (peek ? MSG_PEEK : 0),
                         reinterpret_cast<sockaddr *>(&from), &len);
        if (got < 0) {
            recvError = errno;
            return {};
        }
        if (!peek)
            m_udpTaken = true;
        m_remoteHostIP = dotted(from.sin_addr.s_addr);
        m_remotePort = ntohs(from.sin_port);
        m_remoteHost.clear();
        out.resize(qMin<qint64>(got, n));
        return out;
    };

    if (kind == VarType::String || kind == VarType::ByteArray) {
        qint64 n = available;
        if (maxLen && (*maxLen == 0 || available == 0)) {
            data = emptyOf(kind);
            if (!tcp) {
                char byte;
                ::recv(m_handle, &byte, 1, MSG_DONTWAIT); // the datagram is dropped
                m_udpTaken = true;
                raise(MessageTooLong, socketErrorText(MessageTooLong), "RecvData");
            }
            return;
        }
        if (maxLen)
            n = qMin(available, *maxLen);
        if (n == 0) {
            data = emptyOf(kind);
            return;
        }
        const QByteArray bytes = take(n);
        data = fromBytes(kind, bytes);
    } else {
        const int size = fixedSizeOf(kind);
        if (size == 0)
            raise(UnsupportedType, kTypeText, "RecvData");
        if (available < size)
            return;
        const QByteArray bytes = take(size);
        if (bytes.size() == size)
            data = fromBytes(kind, bytes);
    }
    if (recvError != 0)
        throwSocketErrno(recvError, source("RecvData"));
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
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    const int fd = ::accept4(m_handle, reinterpret_cast<sockaddr *>(&peer), &len,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (wouldBlock(err) || err == EINTR || err == ECONNABORTED)
            return;
        // Out of descriptors and the like: back off a little instead of
        // spinning on a connection we cannot take.
        m_acceptPaused = true;
        QTimer::singleShot(100, this, [this] {
            m_acceptPaused = false;
            updateInterest();
        });
        raiseError(socketErrorFromErrno(err), source("PostSocket"));
        return;
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
