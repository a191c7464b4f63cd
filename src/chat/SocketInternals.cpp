#include "chat/SocketInternals.h"

#include "chat/SocketError.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace vantrel::socket_internal {

using namespace SocketErrorNumber;

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

} // namespace vantrel::socket_internal
