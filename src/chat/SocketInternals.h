#pragma once

// Helpers shared by the CSocketMaster sources; not part of the component's
// interface.

#include <QString>
#include <QVariant>

#include <optional>

namespace vantrel::socket_internal {

inline const QString kRangeText = QStringLiteral(
    "The argument passed to a function was not in the correct format or in the specified range.");
inline const QString kStateText = QStringLiteral("Invalid operation at current state");
inline const QString kWrongStateText
    = QStringLiteral("Wrong protocol or connection state for the requested transaction or request");
inline const QString kTypeText = QStringLiteral("Unsupported variant type.");

// The largest IPv4 datagram payload; Linux has no SO_MAX_MSG_SIZE to ask.
constexpr qint32 kUdpMaxMessage = 65507;
// What a new accept holder reads of data the peer sent before the accept.
constexpr qint64 kHolderPrefetch = 256 * 1024;

// "CSocketMaster.<procedure>", the source of an error.
QString source(const char *procedure);

// Throws SocketError(number, text) with source(procedure) as its source.
[[noreturn]] void raise(int number, const QString &text, const char *procedure);

// An IPv4 address in network order as dotted text.
QString dotted(quint32 networkOrder);

// A port argument: not numeric -> 40018, out of 0..65535 -> 40014.
qint32 portArgument(const QVariant &v, int lowest, const char *procedure);

// Dotted text directly, a name through a blocking lookup; nullopt when the
// text is empty or does not resolve to an IPv4 address.
std::optional<quint32> resolveSync(const QString &host);

// Chat runs are small and interactive: a second small send must not wait
// for the peer's delayed acknowledgement of the first.
void setNoDelay(int fd);

bool isLoopback(quint32 networkOrder);

// EAGAIN or EWOULDBLOCK: a non-blocking call found nothing to do.
bool wouldBlock(int err);

} // namespace vantrel::socket_internal
