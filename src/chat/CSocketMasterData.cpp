#include "chat/CSocketMaster.h"
#include "chat/SocketInternals.h"

#include <QPointer>

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vantrel {

using namespace SocketErrorNumber;
using namespace socket_internal;

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
    const std::optional<QByteArray> bytes = toWire(data);
    if (!bytes)
        raise(UnsupportedType, kTypeText, "SendData");
    if (bytes->isEmpty())
        return;
    if (m_protocol == sckTCPProtocol && m_sendLimit > 0
        && pendingSendBytes() + bytes->size() > m_sendLimit) {
        // The peer does not read what we queue for it: give up on it rather
        // than let its backlog grow without end.
        abandon(NoBufferSpace);
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

void CSocketMaster::abandon(int number)
{
    if (m_protocol != sckTCPProtocol || m_state != sckConnected)
        return;
    m_sendBuffer.clear();
    m_sendOffset = 0;
    m_state = sckError;
    updateInterest();
    postError(number, source("SendData"));
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
        data = fromWire(kind, bytes);
    } else {
        const int size = fixedSizeOf(kind);
        if (size == 0)
            raise(UnsupportedType, kTypeText, "RecvData");
        if (available < size)
            return;
        const QByteArray bytes = take(size);
        if (bytes.size() == size)
            data = fromWire(kind, bytes);
    }
    if (recvError != 0)
        throwSocketErrno(recvError, source("RecvData"));
}

} // namespace vantrel
