#include "cli/BoardCommand.h"

#include "board/BoardClient.h"
#include "board/BoardWire.h"
#include "chat/ChatSession.h"
#include "cli/CliFailure.h"
#include "fileio/RegularFile.h"
#include "fileio/SafeFile.h"
#include "strat/StratFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace vantrel {

namespace {

// How long a share may take to reach the host.
constexpr int kShareTimeoutSeconds = 60;
constexpr int kDefaultFetchTimeoutSeconds = 10;
const QString kNick = QStringLiteral("vantrel-cli");

int usage()
{
    std::fprintf(stderr, "usage: vantrel-cli board share HOST FILE.vtr [--port N]\n"
                         "       vantrel-cli board fetch HOST OUT.vtr [--port N] [--timeout S]\n");
    return 2;
}

struct Options
{
    QString host;
    QString file;
    quint16 port = BoardClient::boardPort(ChatSession::kDefaultPort);
    int timeoutSeconds = kDefaultFetchTimeoutSeconds;
};

std::optional<Options> parse(const QStringList &args, bool withTimeout)
{
    Options o;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool isPort = a == QLatin1String("--port");
        const bool isTimeout = withTimeout && a == QLatin1String("--timeout");
        if (!isPort && !isTimeout) {
            if (a.startsWith(QLatin1String("--")))
                return std::nullopt;
            positional << a;
            continue;
        }
        if (i + 1 >= args.size())
            return std::nullopt;
        bool ok = false;
        const uint value = args.at(++i).toUInt(&ok);
        if (isPort && (!ok || value == 0 || value > 65535))
            return std::nullopt;
        if (isTimeout && (!ok || value > 86400))
            return std::nullopt;
        if (isPort)
            o.port = quint16(value);
        else
            o.timeoutSeconds = int(value);
    }
    if (positional.size() != 2)
        return std::nullopt;
    o.host = positional.at(0);
    o.file = positional.at(1);
    return o;
}

// Runs the event loop until `finish` is called or `seconds` pass (then `onTimeout`).
class Session
{
public:
    Session(int seconds, QString timeoutMessage)
        : m_timeoutMessage(std::move(timeoutMessage))
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { finish(cliFail(m_timeoutMessage)); });
        m_timer.start(seconds * 1000);
    }
    void finish(int status)
    {
        if (m_status)
            return;
        m_status = status;
        QCoreApplication::exit(status);
    }
    int run()
    {
        if (!m_status)
            QCoreApplication::exec();
        return m_status.value_or(1);
    }

private:
    QTimer m_timer;
    QString m_timeoutMessage;
    std::optional<int> m_status;
};

QString where(const Options &o)
{
    return QStringLiteral("%1:%2").arg(o.host).arg(o.port);
}

int share(const Options &o)
{
    QByteArray bytes;
    const FileResult read = readRegularFile(o.file, BoardWire::kMaxStratBytes, bytes);
    if (!read)
        return cliFail(read.message);
    Strat strat;
    const FileResult decoded = StratFile::decode(bytes, o.file, strat);
    if (!decoded)
        return cliFail(decoded.message);
    const QString title = strat.Title.trimmed().isEmpty() ? QFileInfo(o.file).completeBaseName()
                                                          : strat.Title.trimmed();

    BoardClient client;
    Session session(kShareTimeoutSeconds,
                    QStringLiteral("%1: the board did not take the strat within %2 s")
                        .arg(where(o))
                        .arg(kShareTimeoutSeconds));
    QObject::connect(&client, &BoardClient::shareTaken, [&] {
        client.disconnect();
        client.disconnectFromHost();
        session.finish(0);
    });
    QObject::connect(&client, &BoardClient::disconnected, [&](const QString &reason) {
        session.finish(cliFail(QStringLiteral("%1: %2").arg(where(o), reason)));
    });
    client.connectToHost(o.host, o.port, kNick);
    client.shareStrat(bytes, title);
    const int status = session.run();
    // What is still unsent (the close) leaves before we go.
    QCoreApplication::processEvents();
    return status;
}

int fetch(const Options &o)
{
    const FileResult target = SafeFile::checkTarget(o.file);
    if (!target)
        return cliFail(target.message);
    BoardClient client;
    Session session(
        o.timeoutSeconds,
        QStringLiteral("%1: no strat was shared within %2 s").arg(where(o)).arg(o.timeoutSeconds));
    QObject::connect(&client, &BoardClient::stratShared,
                     [&](const QString &, const QString &, const QByteArray &bytes) {
                         client.disconnect();
                         client.disconnectFromHost();
                         const FileResult written = SafeFile::replace(o.file, bytes);
                         session.finish(written ? 0 : cliFail(written.message));
                     });
    QObject::connect(&client, &BoardClient::disconnected, [&](const QString &reason) {
        session.finish(cliFail(QStringLiteral("%1: %2").arg(where(o), reason)));
    });
    client.connectToHost(o.host, o.port, kNick);
    return session.run();
}

} // namespace

int runBoardCommand(const QStringList &args)
{
    if (args.isEmpty())
        return usage();
    const QString verb = args.first();
    const bool isFetch = verb == QLatin1String("fetch");
    if (!isFetch && verb != QLatin1String("share"))
        return usage();
    const std::optional<Options> o = parse(args.mid(1), isFetch);
    if (!o)
        return usage();
    return isFetch ? fetch(*o) : share(*o);
}

} // namespace vantrel
