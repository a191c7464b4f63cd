// Chat under a hostile peer: the chat window hosts (offscreen platform) while
// one peer pours 10 MB of runs no person types (megabyte lines without a
// blank, random bytes with line ends and NULs) into it. Meanwhile a talker
// sends a short line every 20 ms and a listener reads everything the host
// relays. Prints how late the short lines reach the listener, first without
// and then with the hostile peer, and the longest time the window's thread
// did not answer (its timer's worst lateness). Last, a client window joins
// a host that lists 4096 nicks in one run; prints how long the list takes.
//
// The peers are plain sockets in a thread of their own, on 127.0.0.1 only.
//
// usage: chat_load_hostile [megabytes=10]

#include "chatwindow/frmChat.h"
#include "i18n/LanguagePack.h"
#include "uiservice/SilentUi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace vantrel;

namespace {

using Clock = std::chrono::steady_clock;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

// Answers the nick prompt; everything else as the silent Ui does.
class NickUi : public SilentUi
{
public:
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("H");
    }
};

int connectTo(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0) {
        ::close(fd);
        return -1;
    }
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

bool sendAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// The runs of the hostile peer: half megabyte lines of one letter, half
// random bytes (line ends and NULs among them).
std::vector<QByteArray> hostileRuns(int megabytes)
{
    std::vector<QByteArray> runs;
    std::mt19937 random(7);
    for (int i = 0; i < megabytes; ++i) {
        if (i % 2 == 0) {
            runs.emplace_back(1024 * 1024, char('a' + i % 26));
        } else {
            QByteArray junk(1024 * 1024, Qt::Uninitialized);
            for (char &c : junk)
                c = char(random() & 0xff);
            runs.push_back(junk);
        }
    }
    return runs;
}

struct Delays
{
    std::vector<double> ms;
    double percentile(double p) const
    {
        if (ms.empty())
            return -1;
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        return s[std::min(s.size() - 1, size_t(p * double(s.size())))];
    }
    double max() const { return ms.empty() ? -1 : *std::max_element(ms.begin(), ms.end()); }
};

// The listener reads whatever the host relays and times every "T: ping"
// line, which carries its send time, up to the line ender "#".
void listen(int fd, std::atomic<bool> &stop, Delays &delays, std::atomic<int> &pings)
{
    QByteArray pending;
    std::vector<char> buffer(1 << 20);
    while (!stop) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n <= 0)
            return;
        const qint64 now = nowNs();
        pending.append(buffer.data(), n);
        qsizetype at = 0;
        while ((at = pending.indexOf("T: ping ")) >= 0) {
            const qsizetype end = pending.indexOf('#', at);
            if (end < 0)
                break;
            const qint64 sent = pending.mid(at + 8, end - at - 8).toLongLong();
            delays.ms.push_back(double(now - sent) / 1e6);
            ++pings;
            pending.remove(0, end + 1);
        }
        if (pending.size() > 64 && pending.indexOf("T: ping ") < 0)
            pending = pending.right(64); // a marker may have started at the end
    }
}

// Runs the talker for `durationMs` while `hostile` (if any) pours its runs.
Delays measure(quint16 port, int listener, int talker, const std::vector<QByteArray> *hostile,
               int durationMs)
{
    Delays delays;
    std::atomic<bool> stop{false};
    std::atomic<int> pings{0};
    std::thread reader(listen, listener, std::ref(stop), std::ref(delays), std::ref(pings));

    std::thread pour;
    if (hostile) {
        pour = std::thread([port, hostile] {
            const int fd = connectTo(port);
            for (const QByteArray &run : *hostile) {
                if (!sendAll(fd, run.constData(), size_t(run.size())))
                    break;
            }
            ::shutdown(fd, SHUT_WR);
            ::close(fd);
        });
    }
    int sent = 0;
    const qint64 end = nowNs() + qint64(durationMs) * 1'000'000;
    while (nowNs() < end) {
        const QByteArray line = "T: ping " + QByteArray::number(nowNs()) + "#";
        sendAll(talker, line.constData(), size_t(line.size()));
        ++sent;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (pour.joinable())
        pour.join();
    const qint64 grace = nowNs() + 5'000'000'000;
    while (pings < sent && nowNs() < grace)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    stop = true;
    reader.join();
    if (pings < sent)
        std::printf("       %d of %d short lines never arrived\n", sent - pings.load(), sent);
    return delays;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    NickUi ui;
    clsLanguagePack language;
    frmChat window(ui, language);
    window.setChatPort(0, QStringLiteral("127.0.0.1"));
    window.show();
    window.cmdAguardar_Click();
    const quint16 port = window.session().listeningPort();
    if (port == 0) {
        std::fprintf(stderr, "chat_load_hostile: FAILED: the window cannot host\n");
        return 1;
    }

    // The window's thread answers a 5 ms timer; its worst lateness is how
    // long the window (and with it the editor and playback) stood still.
    qint64 worstStallNs = 0;
    qint64 lastTick = nowNs();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = nowNs();
        worstStallNs = std::max(worstStallNs, now - lastTick - 5'000'000);
        lastTick = now;
    });
    tick.start(5);

    const std::vector<QByteArray> runs = hostileRuns(megabytes);
    std::atomic<bool> done{false};
    Delays quiet, storm;
    qint64 quietStallNs = 0, stormStallNs = 0;
    std::thread peers([&] {
        const int listener = connectTo(port);
        const int talker = connectTo(port);
        sendAll(listener, "NICK L", 6);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        sendAll(talker, "NICK T", 6);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QMetaObject::invokeMethod(
            &tick, [&] { worstStallNs = 0; }, Qt::BlockingQueuedConnection);
        quiet = measure(port, listener, talker, nullptr, 1000);
        QMetaObject::invokeMethod(
            &tick,
            [&] {
                quietStallNs = worstStallNs;
                worstStallNs = 0;
            },
            Qt::BlockingQueuedConnection);
        storm = measure(port, listener, talker, &runs, 3000);
        // A stall still going on when we ask counts too.
        QMetaObject::invokeMethod(
            &tick, [&] { stormStallNs = std::max(worstStallNs, nowNs() - lastTick); },
            Qt::BlockingQueuedConnection);
        ::close(listener);
        ::close(talker);
        done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    if (!done) {
        std::fprintf(stderr, "chat_load_hostile: FAILED: the peers did not finish\n");
        std::_Exit(1);
    }
    peers.join();

    std::printf("quiet:   %zu short lines, delay p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
                quiet.ms.size(), quiet.percentile(0.5), quiet.percentile(0.99), quiet.max());
    std::printf("         the window's thread stood still for at most %.1f ms\n",
                double(quietStallNs) / 1e6);
    std::printf("hostile: %d MB of hostile runs; %zu short lines, delay p50 %.2f ms, p99 %.2f ms,"
                " max %.2f ms (target <= 100)\n",
                megabytes, storm.ms.size(), storm.percentile(0.5), storm.percentile(0.99),
                storm.max());
    std::printf("         the window's thread stood still for at most %.1f ms\n",
                double(stormStallNs) / 1e6);
    std::printf("         the host's log holds %lld characters\n",
                static_cast<long long>(window.session().txtChat().size()));
    // A client window joins a chat whose list comes in one long run.
    QTcpServer fakeHost;
    fakeHost.listen(QHostAddress::LocalHost, 0);
    QByteArray list;
    constexpr int kListed = 4096;
    for (int i = 0; i < kListed; ++i)
        list += "NICK n" + QByteArray::number(i) + "\r\n";
    QObject::connect(&fakeHost, &QTcpServer::newConnection,
                     [&] { fakeHost.nextPendingConnection()->write(list); });
    NickUi clientUi;
    frmChat client(clientUi, language);
    client.setChatPort(fakeHost.serverPort());
    client.show();
    QElapsedTimer joining;
    joining.start();
    // What Connect does after its two prompts.
    client.session().connectTo(QStringLiteral("me"), QStringLiteral("127.0.0.1"),
                               fakeHost.serverPort());
    while (client.lstNicks->count() < kListed && joining.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("client:  a list of %d nicks in one run is shown after %lld ms\n",
                client.lstNicks->count(), static_cast<long long>(joining.elapsed()));

    const bool ok = storm.max() >= 0 && storm.max() <= 100;
    std::printf("%s\n", ok ? "target met" : "target NOT met");
    return 0;
}
