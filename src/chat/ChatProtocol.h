#pragma once

#include <QString>
#include <QStringList>

namespace vantrel {

// What one received run means. There is no framing on the wire: a run is
// whatever one read returned, and it is told apart by its first four
// characters alone (case matters).
struct ChatRun
{
    enum Kind { Nicks, Left, Line } kind = Line;
    QStringList nicks; // Nicks: from every CR LF piece of six characters or more, char 6 on
    QString text;      // Left: the nick that left; Line: the run itself
};

ChatRun classifyRun(const QString &run);

namespace ChatWire {
inline const QString kCrLf = QStringLiteral("\r\n");
// "NICK " + nick + CR LF: one entry of the host's list, or a join.
inline QString nickEntry(const QString &nick)
{
    return QStringLiteral("NICK ") + nick + kCrLf;
}
// "NICK " + nick without a line end: a client announcing itself.
inline QString announce(const QString &nick)
{
    return QStringLiteral("NICK ") + nick;
}
inline QString left(const QString &nick)
{
    return QStringLiteral("SAIU ") + nick;
}
inline QString line(const QString &nick, const QString &text)
{
    return nick + QStringLiteral(": ") + text;
}
} // namespace ChatWire

} // namespace vantrel
