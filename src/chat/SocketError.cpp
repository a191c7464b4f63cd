#include "chat/SocketError.h"

#include <QHostInfo>

#include <cerrno>

namespace vantrel {

SocketError::SocketError(int number, const QString &description, const QString &source)
    : std::runtime_error(
        QStringLiteral("%1 %2 (%3)").arg(number).arg(description, source).toStdString())
    , m_number(number)
    , m_description(description)
    , m_source(source)
{
}

QString socketErrorText(int number)
{
    switch (number) {
    case 10004:
        return QStringLiteral("Interrupted function call.");
    case 10013:
        return QStringLiteral("Permission denied.");
    case 10014:
        return QStringLiteral("Bad address.");
    case 10022:
        return QStringLiteral("Invalid argument.");
    case 10024:
        return QStringLiteral("Too many open files.");
    case 10035:
        return QStringLiteral("Resource temporarily unavailable.");
    case 10036:
        return QStringLiteral("Operation now in progress.");
    case 10037:
        return QStringLiteral("Operation already in progress.");
    case 10038:
        return QStringLiteral("Socket operation on nonsocket.");
    case 10039:
        return QStringLiteral("Destination address required.");
    case 10040:
        return QStringLiteral("Message too long.");
    case 10041:
        return QStringLiteral("Protocol wrong type for socket.");
    case 10042:
        return QStringLiteral("Bad protocol option.");
    case 10043:
        return QStringLiteral("Protocol not supported.");
    case 10044:
        return QStringLiteral("Socket type not supported.");
    case 10045:
        return QStringLiteral("Operation not supported.");
    case 10046:
        return QStringLiteral("Protocol family not supported.");
    case 10047:
        return QStringLiteral("Address family not supported by protocol family.");
    case 10048:
        return QStringLiteral("Address already in use.");
    case 10049:
        return QStringLiteral("Cannot assign requested address.");
    case 10050:
        return QStringLiteral("Network is down.");
    case 10051:
        return QStringLiteral("Network is unreachable.");
    case 10052:
        return QStringLiteral("Network dropped connection on reset.");
    case 10053:
        return QStringLiteral("Software caused connection abort.");
    case 10054:
        return QStringLiteral("Connection reset by peer.");
    case 10055:
        return QStringLiteral("No buffer space available.");
    case 10056:
        return QStringLiteral("Socket is already connected.");
    case 10057:
        return QStringLiteral("Socket is not connected.");
    case 10058:
        return QStringLiteral("Cannot send after socket shutdown.");
    case 10060:
        return QStringLiteral("Connection timed out.");
    case 10061:
        return QStringLiteral("Connection refused.");
    case 10065:
        return QStringLiteral("No route to host.");
    case 10067:
        return QStringLiteral("Too many processes.");
    case 10091:
        return QStringLiteral("Network subsystem is unavailable.");
    case 10092:
        return QStringLiteral("Winsock.dll version out of range.");
    case 10093:
        return QStringLiteral("Successful WSAStartup not yet performed.");
    case 11001:
        return QStringLiteral("Host not found.");
    case 11002:
        return QStringLiteral("Nonauthoritative host not found.");
    case 11003:
        return QStringLiteral("This is a nonrecoverable error.");
    case 11004:
        return QStringLiteral("Valid name, no data record of requested type.");
    default:
        return QStringLiteral("Unknown error.");
    }
}

int socketErrorFromErrno(int err)
{
    switch (err) {
    case EINTR:
        return 10004;
    case EACCES:
    case EPERM:
        return 10013;
    case EFAULT:
        return 10014;
    case EINVAL:
        return 10022;
    case EMFILE:
    case ENFILE:
        return 10024;
    case EAGAIN:
        return 10035;
    case EINPROGRESS:
        return 10036;
    case EALREADY:
        return 10037;
    case ENOTSOCK:
    case EBADF:
        return 10038;
    case EDESTADDRREQ:
        return 10039;
    case EMSGSIZE:
        return 10040;
    case EPROTOTYPE:
        return 10041;
    case ENOPROTOOPT:
        return 10042;
    case EPROTONOSUPPORT:
        return 10043;
    case ESOCKTNOSUPPORT:
        return 10044;
    case EOPNOTSUPP:
        return 10045;
    case EPFNOSUPPORT:
        return 10046;
    case EAFNOSUPPORT:
        return 10047;
    case EADDRINUSE:
        return 10048;
    case EADDRNOTAVAIL:
        return 10049;
    case ENETDOWN:
        return 10050;
    case ENETUNREACH:
        return 10051;
    case ENETRESET:
        return 10052;
    case ECONNABORTED:
        return 10053;
    case ECONNRESET:
    case EPIPE:
        return 10054;
    case ENOBUFS:
    case ENOMEM:
        return 10055;
    case EISCONN:
        return 10056;
    case ENOTCONN:
        return 10057;
    case ESHUTDOWN:
        return 10058;
    case ETIMEDOUT:
        return 10060;
    case ECONNREFUSED:
        return 10061;
    case EHOSTUNREACH:
    case EHOSTDOWN:
        return 10065;
    default:
        return 10000; // not in the table: "Unknown error."
    }
}

int socketErrorFromLookup(int qhostInfoError)
{
    switch (qhostInfoError) {
    case QHostInfo::NoError:
        return 0;
    case QHostInfo::HostNotFound:
        return 11001;
    default:
        return 11003;
    }
}

void throwSocketErrno(int err, const QString &source)
{
    const int number = socketErrorFromErrno(err);
    throw SocketError(number, socketErrorText(number), source);
}

} // namespace vantrel
