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

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

int ChatHost::runCommand(const QStringList &args)
{
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
    print(stderr, QStringLiteral("Hosting the chat as \"%1\" on port %2; Ctrl+C ends it.\n")
                      .arg(options->nick)
                      .arg(host.session().listeningPort()));

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
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    struct sigaction oldInt = {}, oldTerm = {};
    ::sigaction(SIGINT, &sa, &oldInt);
    ::sigaction(SIGTERM, &sa, &oldTerm);

    const int status = QCoreApplication::exec();

    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    notifier.setEnabled(false);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    g_signalPipe[0] = g_signalPipe[1] = -1;
    host.session().reset();
    return status;
}

} // namespace vantrel
