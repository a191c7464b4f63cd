// Chat load: a host and 50 clients on loopback. The clients join, each sends
// 200 chat lines ending in a unique marker, and they leave again. Every line
// must reach every other client exactly once and in its sender's order, and
// every join and leave must reach every nick list. Prints line deliveries per
// second (one line arriving at one client) and the delay from send to arrival.
//
// The host runs in a thread of its own with its own event loop, as it would
// run on its own machine; the clients share the main thread.
//
// usage: chat_load [clients=50] [lines=200] [window=12] [board=0]
//   window: lines in flight at once over all clients (sent, not yet at every
//   receiver); it trades throughput against queueing delay.
//   board: team board peers on the host's board port, in a thread of their
//   own, while the chat runs: one shares a strat of about 1 MB again every
//   2 s (the first at once), sends its play every 500 ms and a ping every
//   100 ms, the others follow. Compare the chat's delays with board=0 and
//   board=20.

#include "ChatHostThread.h"

#include "board/BoardClient.h"
#include "board/BoardWire.h"
#include "chat/ChatSession.h"
#include "strat/StratFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

using namespace vantrel;

namespace {

using Clock = std::chrono::steady_clock;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

// Board peers beside the chat. The sharer is a board client; the followers
// only read (and count) what reaches them, as their own machines would, so
// that what is measured is the host's work and not theirs.
class BoardThread : public QThread
{
public:
    BoardThread(int peers, quint16 port)
        : m_peers(peers)
        , m_port(port)
    {
    }
    std::atomic<int> joined{0};
    std::atomic<qint64> received{0};

protected:
    void run() override
    {
        Strat s;
        s.Title = QStringLiteral("Load");
        for (qsizetype left = 1000 * 1000; left > 0; left -= 30000)
            s.Texts.append(StratText{1, 1, QString(qMin<qsizetype>(left, 30000), 'x')});
        QByteArray strat;
        StratFile::encode(s, strat);
        BoardClient sharer;
        QObject::connect(&sharer, &BoardClient::connected, [this] { ++joined; });
        sharer.connectToHost(QStringLiteral("127.0.0.1"), m_port, QStringLiteral("sharer"));
        std::vector<std::unique_ptr<QTcpSocket>> followers;
        for (int i = 1; i < m_peers; ++i) {
            auto f = std::make_unique<QTcpSocket>();
            QTcpSocket *raw = f.get();
            QObject::connect(raw, &QTcpSocket::connected, [this] { ++joined; });
            QObject::connect(raw, &QTcpSocket::readyRead,
                             [this, raw] { received += raw->readAll().size(); });
            raw->connectToHost(QStringLiteral("127.0.0.1"), m_port);
            raw->write(BoardWire::hello(QStringLiteral("f%1").arg(i)));
            followers.push_back(std::move(f));
        }
        int tick = 0;
        QTimer every100ms;
        QObject::connect(&every100ms, &QTimer::timeout, [&] {
            if (tick % 20 == 0)
                sharer.shareStrat(strat, QStringLiteral("Load"));
            if (tick % 5 == 0)
                sharer.sendPlay({BoardPlay::Run::Running, tick * 6, 1.0});
            sharer.sendPing(QPoint(tick, tick));
            ++tick;
        });
        every100ms.start(100);
        exec();
    }

private:
    int m_peers;
    quint16 m_port;
};

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    // Sleeps in the event loop until something happens (a busy loop would
    // take the CPU the host thread needs); the timer wakes it for the clock.
    QTimer tick;
    tick.start(10);
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct Client
{
    int index = 0;
    std::unique_ptr<ChatSession> session;
    QString tail;             // text after the last complete marker
    std::vector<int> lastSeq; // per sender, the last line seen
    qint64 received = 0;
    int sent = 0;
};

int fail(const char *what)
{
    std::fprintf(stderr, "chat_load: FAILED: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int clients = argc > 1 ? std::max(2, atoi(argv[1])) : 50;
    const int linesEach = argc > 2 ? std::max(1, atoi(argv[2])) : 200;
    const int window = argc > 3 ? std::max(1, atoi(argv[3])) : 12;
    const int boardPeers = argc > 4 ? std::max(0, atoi(argv[4])) : 0;

    ChatHostThread hostThread;
    if (!hostThread.listen())
        return fail("the host cannot listen");
    const quint16 port = hostThread.chatPort();
    std::unique_ptr<BoardThread> board;
    if (boardPeers > 1) {
        if (hostThread.boardPort() == 0)
            return fail("the host has no board");
        board = std::make_unique<BoardThread>(boardPeers, hostThread.boardPort());
        board->start();
        QElapsedTimer t;
        t.start();
        while (board->joined < boardPeers && t.elapsed() < 10000)
            QThread::msleep(5);
        if (board->joined < boardPeers)
            return fail("not every board peer joined");
        std::printf("board: %d peers beside the chat\n", boardPeers);
    }

    // ---- join -------------------------------------------------------------
    std::vector<Client> cs(clients);
    QStringList expected{QStringLiteral("H")};
    for (int i = 0; i < clients; ++i)
        expected << QStringLiteral("c%1").arg(i, 2, 10, QLatin1Char('0'));
    QElapsedTimer phase;
    phase.start();
    for (int i = 0; i < clients; ++i) {
        cs[i].index = i;
        cs[i].lastSeq.assign(clients, -1);
        cs[i].session = std::make_unique<ChatSession>();
        cs[i].session->connectTo(expected[i + 1], QStringLiteral("127.0.0.1"), port);
    }
    const bool joined = waitUntil(
        [&] {
            return std::all_of(cs.begin(), cs.end(), [&](const Client &c) {
                return c.session->lstNicks().size() == clients + 1;
            });
        },
        20000);
    if (!joined) {
        for (const Client &c : cs)
            std::fprintf(stderr, "c%02d lists %lld\n", c.index,
                         static_cast<long long>(c.session->lstNicks().size()));
        return fail("not every nick list saw every join");
    }
    // Joins raced each other, so the list order is the host's arrival order;
    // every client must hold the same list with every nick once.
    const QStringList reference = cs[0].session->nicks();
    QStringList sorted = reference;
    std::sort(sorted.begin() + 1, sorted.end());
    if (reference.first() != QLatin1String("H") || sorted != expected)
        return fail("the nick list is wrong");
    for (const Client &c : cs) {
        if (c.session->nicks() != reference)
            return fail("two clients disagree on the nick list");
    }
    std::printf("join:  %d clients, every list complete after %lld ms\n", clients,
                static_cast<long long>(phase.elapsed()));

    // ---- chat -------------------------------------------------------------
    const qint64 totalLines = qint64(clients) * linesEach;
    const qint64 expectedDeliveries = totalLines * (clients - 1);
    std::vector<int> arrivals(size_t(totalLines), 0); // receivers reached, per line
    std::vector<qint64> delays;
    delays.reserve(size_t(expectedDeliveries));
    qint64 deliveries = 0;
    qint64 inFlight = 0;
    qint64 lastArrivalNs = 0;
    bool orderBroken = false;
    bool duplicated = false;
    bool wantMore = false;
    std::function<void()> *pumpRef = nullptr;
    const QRegularExpression marker(QStringLiteral("#(\\d+):(\\d+):(\\d+)#"));

    for (Client &c : cs) {
        QObject::connect(c.session.get(), &ChatSession::logAppended,
                         [&, ci = c.index](const QString &text) {
                             Client &me = cs[size_t(ci)];
                             me.tail += text;
                             qsizetype consumed = 0;
                             auto it = marker.globalMatch(me.tail);
                             const qint64 now = nowNs();
                             while (it.hasNext()) {
                                 const auto m = it.next();
                                 consumed = m.capturedEnd();
                                 const int sender = m.capturedView(1).toInt();
                                 const int seq = m.capturedView(2).toInt();
                                 if (sender == ci)
                                     continue; // the client's own line in its own log
                                 if (seq != me.lastSeq[size_t(sender)] + 1)
                                     orderBroken = true;
                                 me.lastSeq[size_t(sender)] = seq;
                                 int &n = arrivals[size_t(sender) * linesEach + seq];
                                 if (++n > clients - 1)
                                     duplicated = true;
                                 if (n == clients - 1) {
                                     --inFlight;
                                     wantMore = true;
                                 }
                                 ++deliveries;
                                 ++me.received;
                                 delays.push_back(now - m.capturedView(3).toLongLong());
                                 lastArrivalNs = now;
                             }
                             me.tail.remove(0, consumed);
                             if (wantMore) {
                                 wantMore = false;
                                 (*pumpRef)(); // a line reached everybody: the next may go
                             }
                         });
    }

    int nextSender = 0;
    qint64 sentTotal = 0;
    auto pump = [&] {
        while (inFlight < window && sentTotal < totalLines) {
            // Round robin over clients that still have lines to send.
            Client &c = cs[size_t(nextSender)];
            nextSender = (nextSender + 1) % clients;
            if (c.sent >= linesEach)
                continue;
            const QString line = QStringLiteral("line %1 of %2 #%3:%4:%5#")
                                     .arg(c.sent)
                                     .arg(c.index)
                                     .arg(c.index)
                                     .arg(c.sent)
                                     .arg(nowNs());
            ++inFlight;
            ++c.sent;
            ++sentTotal;
            c.session->sendLine(line);
        }
    };
    std::function<void()> pumpFn = pump;
    pumpRef = &pumpFn;
    const qint64 startNs = nowNs();
    pump();
    const bool delivered = waitUntil([&] { return deliveries >= expectedDeliveries; }, 120000);
    if (!delivered) {
        std::fprintf(stderr, "delivered %lld of %lld\n", static_cast<long long>(deliveries),
                     static_cast<long long>(expectedDeliveries));
        return fail("lines were lost");
    }
    QCoreApplication::processEvents(); // anything extra would show up now
    if (orderBroken)
        return fail("a line arrived out of its sender's order");
    if (duplicated || deliveries != expectedDeliveries)
        return fail("a line arrived twice");

    const double seconds = double(lastArrivalNs - startNs) / 1e9;
    std::sort(delays.begin(), delays.end());
    auto pct = [&](double p) {
        return double(delays[size_t(
                   std::min<double>(double(delays.size()) - 1, p * double(delays.size())))])
               / 1e6;
    };
    std::printf("chat:  %lld lines, %lld deliveries in %.3f s\n",
                static_cast<long long>(totalLines), static_cast<long long>(deliveries), seconds);
    std::printf("       %.0f deliveries per second (target >= 100000)\n",
                double(deliveries) / seconds);
    std::printf("       delay median %.3f ms, p99 %.3f ms (target < 10), max %.3f ms"
                " (window %d lines)\n",
                pct(0.5), pct(0.99), double(delays.back()) / 1e6, window);

    // ---- leave ------------------------------------------------------------
    phase.restart();
    for (int i = 0; i < clients; ++i) {
        cs[size_t(i)].session->reset();
        const int left = clients - 1 - i;
        const bool seen = waitUntil(
            [&] {
                for (int j = i + 1; j < clients; ++j) {
                    if (cs[size_t(j)].session->lstNicks().size() != left + 1)
                        return false;
                }
                return true;
            },
            10000);
        if (!seen)
            return fail("a leave did not reach every nick list");
        for (int j = i + 1; j < clients; ++j) {
            if (cs[size_t(j)].session->nicks().contains(expected[i + 1]))
                return fail("a nick stayed listed after it left");
        }
    }
    std::printf("leave: every list updated after each of %d leaves, %lld ms\n", clients,
                static_cast<long long>(phase.elapsed()));

    if (board) {
        std::printf("board: %.1f MB reached the board's followers meanwhile\n",
                    double(board->received) / 1e6);
        board->quit();
        board->wait();
    }
    const bool ok = double(deliveries) / seconds >= 100000 && pct(0.99) < 10;
    std::printf("%s\n", ok ? "targets met" : "targets NOT met");
    return 0;
}
