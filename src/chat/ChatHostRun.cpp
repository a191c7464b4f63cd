#include "chat/ChatHost.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace vantrel {

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: wake the event loop.
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

// Logging is a courtesy: an output that is closed (a pager that quit, `head`)
// or full must never end the host, so the first failure silences the stream.
void print(FILE *stream, const QString &text)
{
    static bool broken[2] = {false, false};
    bool &silenced = broken[stream == stderr ? 1 : 0];
    if (silenced)
        return;
    const QByteArray bytes = text.toUtf8();
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) != size_t(bytes.size())
        || std::fflush(stream) != 0)
        silenced = true;
}

// Sets a signal's handling for the lifetime of the guard.
class SignalAction
{
public:
    SignalAction(int signal, void (*handler)(int), int flags = 0)
        : m_signal(signal)
    {
        struct sigaction sa = {};
        sa.sa_handler = handler;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = flags;
        ::sigaction(signal, &sa, &m_old);
    }
    ~SignalAction() { ::sigaction(m_signal, &m_old, nullptr); }
    SignalAction(const SignalAction &) = delete;
    SignalAction &operator=(const SignalAction &) = delete;

private:
    int m_signal;
    struct sigaction m_old = {};
};

} // namespace

int ChatHost::runCommand(const QStringList &args)
{
    // A closed log output shows up as a failing write, not as a fatal signal.
    const SignalAction ignorePipe(SIGPIPE, SIG_IGN);
    QString error;
    const std::optional<ChatHost::Options> options = ChatHost::parse(args, &error);
    if (!options) {
        print(stderr, QStringLiteral("vantrel-cli chat-host: ") + error + QLatin1Char('\n')
                          + ChatHost::usage());
        return 2;
    }

    ChatHost host(*options, [](const QString &line) { print(stdout, line + QLatin1Char('\n')); });
    if (!host.start()) {
        print(stderr, QStringLiteral("vantrel-cli chat-host: cannot listen on port %1: %2\n")
                          .arg(options->port)
                          .arg(host.session().lastError()));
        return 1;
    }
    const quint16 boardPort = host.session().boardListeningPort();
    print(stderr, QStringLiteral("Hosting the chat as \"%1\" on port %2%3; Ctrl+C ends it.\n")
                      .arg(options->nick)
                      .arg(host.session().listeningPort())
                      .arg(boardPort ? QStringLiteral(", the team board on port %1").arg(boardPort)
                                     : QString()));

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        print(stderr, QStringLiteral("vantrel-cli chat-host: cannot watch for signals\n"));
        return 1;
    }
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    int status = 0;
    {
        const SignalAction interrupt(SIGINT, onSignal, SA_RESTART);
        const SignalAction terminate(SIGTERM, onSignal, SA_RESTART);
        status = QCoreApplication::exec();
    }
    notifier.setEnabled(false);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    g_signalPipe[0] = g_signalPipe[1] = -1;
    host.session().reset();
    return status;
}

} // namespace vantrel
