#include "chat/ChatHost.h"

namespace vantrel {

std::optional<ChatHost::Options> ChatHost::parse(const QStringList &args, QString *error)
{
    Options o;
    auto fail = [error](const QString &message) -> std::optional<Options> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a != QLatin1String("--nick") && a != QLatin1String("--port")
            && a != QLatin1String("--bind") && a != QLatin1String("--board-port"))
            return fail(QStringLiteral("unknown argument: ") + a);
        if (i + 1 >= args.size())
            return fail(a + QStringLiteral(" needs a value"));
        const QString value = args.at(++i);
        if (a == QLatin1String("--nick")) {
            o.nick = value;
        } else if (a == QLatin1String("--bind")) {
            o.bindAddress = value;
        } else {
            bool ok = false;
            const uint port = value.toUInt(&ok);
            if (!ok || port > 65535)
                return fail(QStringLiteral("bad port: ") + value);
            if (a == QLatin1String("--port"))
                o.port = quint16(port);
            else
                o.boardPort = int(port);
        }
    }
    return o;
}

QString ChatHost::usage()
{
    return QStringLiteral("usage: vantrel-cli chat-host [--nick NAME] [--port N] [--bind ADDRESS]"
                          " [--board-port N]\n"
                          "Hosts a chat (port 3005 by default) with its team board (the chat "
                          "port + 1) and prints its log until interrupted.\n");
}

QString ChatHost::printable(const QString &logText)
{
    QString out = logText;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\n' && u != u'\t') || u == 0x7f)
            c = QLatin1Char('?');
    }
    return out;
}

ChatHost::ChatHost(const Options &options, std::function<void(const QString &)> output,
                   QObject *parent)
    : QObject(parent)
    , m_options(options)
{
    auto print = [output = std::move(output)](const QString &text) {
        if (output)
            output(printable(text));
    };
    connect(&m_session, &ChatSession::logAppended, this, print);
    connect(&m_session, &ChatSession::boardLogged, this, print);
}

bool ChatHost::start()
{
    m_session.setBoardPort(m_options.boardPort);
    return m_session.host(m_options.nick, m_options.port, m_options.bindAddress);
}

} // namespace vantrel
