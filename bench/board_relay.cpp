// Team board relay on loopback: a chat host with its board in a thread of its
// own (as on its own machine), one sharer and N followers in the main thread.
// Measures how long a shared strat of about 1 MB takes from shareStrat() to
// the last follower's stratShared() (the followers' own strat check
// included), and how long a ping takes to reach each follower.
//
// usage: board_relay [followers=10] [shares=10] [pings=300]

#include "ChatHostThread.h"

#include "board/BoardClient.h"
#include "chat/ChatSession.h"
#include "strat/StratFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace vantrel;

namespace {

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QTimer tick;
    tick.start(1);
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A strat file of about `bytes` bytes, most of it in text labels.
QByteArray stratOf(qsizetype bytes)
{
    Strat s;
    s.Overview = QStringLiteral("de_dust");
    s.Title = QStringLiteral("Bench");
    for (int i = 0; i < 200; ++i)
        s.Objects.append(StratObject{int16_t(i % 13), float(i * 15), float(i * 30)});
    for (qsizetype left = bytes; left > 0; left -= 30000)
        s.Texts.append(
            StratText{float(left % 9000), 100, QString(qMin<qsizetype>(left, 30000), 'x')});
    QByteArray out;
    StratFile::encode(s, out);
    return out;
}

// CPU time of the whole process (host thread and clients) in ms: on a
// machine shared with other work, what the relay costs apart from waiting.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double pct(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[size_t(std::min<double>(double(v.size()) - 1, p * double(v.size())))];
}

int fail(const char *what)
{
    std::fprintf(stderr, "board_relay: FAILED: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int followers = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const int shares = argc > 2 ? std::max(1, atoi(argv[2])) : 10;
    const int pings = argc > 3 ? std::max(1, atoi(argv[3])) : 300;

    ChatHostThread hostThread;
    if (!hostThread.listen() || hostThread.boardPort() == 0)
        return fail("the host's board cannot listen");
    const quint16 port = hostThread.boardPort();

    BoardClient sharer;
    std::vector<std::unique_ptr<BoardClient>> fs;
    int strats = 0, pinged = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 sentNs = 0;
    std::vector<double> pingMs;
    const QByteArray strat = stratOf(1000 * 1000);
    for (int i = 0; i < followers; ++i) {
        auto f = std::make_unique<BoardClient>();
        QObject::connect(f.get(), &BoardClient::stratShared,
                         [&](const QString &, const QString &, const QByteArray &b) {
                             strats += b == strat ? 1 : 0;
                         });
        QObject::connect(f.get(), &BoardClient::pinged, [&](const QString &, const QPoint &) {
            ++pinged;
            pingMs.push_back(double(clock.nsecsElapsed() - sentNs) / 1e6);
        });
        f->connectToHost(QStringLiteral("127.0.0.1"), port, QStringLiteral("f%1").arg(i));
        fs.push_back(std::move(f));
    }
    sharer.connectToHost(QStringLiteral("127.0.0.1"), port, QStringLiteral("sharer"));
    if (!waitUntil(
            [&] {
                return sharer.isConnected() && std::all_of(fs.begin(), fs.end(), [](auto &f) {
                           return f->isConnected();
                       });
            },
            10000))
        return fail("not every peer joined");

    std::vector<double> shareMs, shareCpuMs;
    for (int i = 0; i < shares; ++i) {
        strats = 0;
        const double cpuStart = cpuMs();
        const qint64 start = clock.nsecsElapsed();
        sharer.shareStrat(strat, QStringLiteral("Bench %1").arg(i));
        if (!waitUntil([&] { return strats == followers; }, 10000))
            return fail("a share did not reach every follower");
        shareMs.push_back(double(clock.nsecsElapsed() - start) / 1e6);
        shareCpuMs.push_back(cpuMs() - cpuStart);
        QThread::msleep(20);
    }
    std::printf("share: a %lld-byte strat to %d followers: median %.1f ms, max %.1f ms"
                " (target <= 200)\n",
                static_cast<long long>(strat.size()), followers, pct(shareMs, 0.5),
                *std::max_element(shareMs.begin(), shareMs.end()));
    std::printf("       CPU time per share, host and all followers together: median %.1f ms\n",
                pct(shareCpuMs, 0.5));

    // Pings one after another, 5 ms apart, as players click.
    for (int i = 0; i < pings; ++i) {
        pinged = 0;
        sentNs = clock.nsecsElapsed();
        sharer.sendPing(QPoint(i, i));
        if (!waitUntil([&] { return pinged == followers; }, 5000))
            return fail("a ping did not reach every follower");
        QThread::msleep(5);
    }
    std::printf("ping:  %d pings to %d followers: median %.2f ms, p99 %.2f ms (target <= 30),"
                " max %.2f ms\n",
                pings, followers, pct(pingMs, 0.5), pct(pingMs, 0.99),
                *std::max_element(pingMs.begin(), pingMs.end()));

    const bool ok
        = *std::max_element(shareMs.begin(), shareMs.end()) <= 200 && pct(pingMs, 0.99) <= 30;
    std::printf("%s\n", ok ? "targets met" : "targets NOT met");
    return 0;
}
