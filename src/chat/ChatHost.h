#pragma once

#include "chat/ChatSession.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vantrel {

// The chat host without a window: the same session as the window's host,
// with every log line handed to an output (standard output in vantrel-cli).
class ChatHost : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString nick = QStringLiteral("Host");
        quint16 port = ChatSession::kDefaultPort;
        QString bindAddress; // empty: as the window's host binds
        int boardPort = -1;  // the team board's; -1: the chat port + 1
    };

    // "--nick NAME", "--port N", "--bind ADDRESS", "--board-port N"; nullopt
    // and a message on bad input.
    static std::optional<Options> parse(const QStringList &args, QString *error);
    static QString usage();

    // The whole "chat-host" command: parses `args`, hosts, prints every log
    // line on standard output and runs the application's event loop until
    // SIGINT or SIGTERM. Returns 0 then, 1 when the port cannot be listened
    // on, 2 on bad arguments. An output that fails or is closed ends the
    // printing, never the host.
    static int runCommand(const QStringList &args);

    // A log line made safe for a terminal: line ends become "\n", other
    // control characters become "?".
    static QString printable(const QString &logText);

    ChatHost(const Options &options, std::function<void(const QString &line)> output,
             QObject *parent = nullptr);

    bool start();
    ChatSession &session() { return m_session; }

private:
    Options m_options;
    ChatSession m_session;
};

} // namespace vantrel
