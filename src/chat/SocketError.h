#pragma once

#include <QString>

#include <stdexcept>

namespace vantrel {

// The component's own error numbers. Library failures use the Winsock numbers
// (10004 .. 11004) that socketErrorFromErrno() maps the system codes onto.
namespace SocketErrorNumber {
constexpr int OutOfMemory = 7;
constexpr int WrongProtocolOrState = 40006;
constexpr int InvalidArgument = 40014;
constexpr int UnsupportedType = 40018;
constexpr int InvalidState = 40020;
constexpr int WouldBlock = 10035;
constexpr int MessageTooLong = 10040;
constexpr int AddressFamily = 10047;
constexpr int AddressNotAvailable = 10049;
constexpr int NoBufferSpace = 10055;
} // namespace SocketErrorNumber

// Errors raised to the caller of a CSocketMaster method are thrown as this
// type; asynchronous failures arrive through the Error signal instead.
class SocketError : public std::runtime_error
{
public:
    SocketError(int number, const QString &description, const QString &source);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }

private:
    int m_number;
    QString m_description;
    QString m_source;
};

// The text of a library error number ("Connection refused." for 10061 ...),
// "Unknown error." for numbers the table does not know.
QString socketErrorText(int number);

// Maps a POSIX errno value onto the library's number (ECONNREFUSED -> 10061).
int socketErrorFromErrno(int err);

// Maps a getaddrinfo/QHostInfo failure onto 11001 .. 11004.
int socketErrorFromLookup(int qhostInfoError);

// Throws a library failure: number from errno, its text, the given source.
[[noreturn]] void throwSocketErrno(int err, const QString &source);

} // namespace vantrel
