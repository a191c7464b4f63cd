#include "ChatTestSupport.h"

#include "chat/ChatHost.h"
#include "chat/ChatProtocol.h"
#include "chat/ChatSession.h"

#include <QTcpServer>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

// A host session on 127.0.0.1 and an OS-chosen port.
struct HostFixture
{
    ChatSession host;
    quint16 port = 0;
    explicit HostFixture(const QString &nick = QStringLiteral("H"))
    {
        EXPECT_TRUE(host.host(nick, 0, kLoopback));
        port = host.listeningPort();
    }
    std::unique_ptr<ChatSession> join(const QString &nick, int expectedListSize)
    {
        auto c = std::make_unique<ChatSession>();
        c->connectTo(nick, kLoopback, port);
        EXPECT_TRUE(waitUntil([&] { return c->lstNicks().size() == expectedListSize; }))
            << nick.toStdString() << " sees " << c->nicks().join(',').toStdString();
        return c;
    }
};

} // namespace

TEST(ChatClassifier, RunsAreToldApartByTheirFirstFourCharacters)
{
    const struct
    {
        QString run;
        ChatRun::Kind kind;
        QStringList nicks;
        QString text;
    } cases[] = {
        {"NICK H\r\nNICK A\r\nNICK B\r\n", ChatRun::Nicks, {"H", "A", "B"}, {}},
        // A "NICK" run with a chat line glued on adds the line from char 6 on.
        {"NICK A\r\nbob: hello", ChatRun::Nicks, {"A", "hello"}, {}},
        // The announcement of an empty nick is too short to count.
        {"NICK ", ChatRun::Nicks, {}, {}},
        {"NICK", ChatRun::Nicks, {}, {}},
        // A nick beginning with NICK makes a chat line a command.
        {"NICKY: hi", ChatRun::Nicks, {": hi"}, {}},
        {"SAIU bob", ChatRun::Left, {}, "bob"},
        {"SAIU", ChatRun::Left, {}, ""},
        {"nick: text", ChatRun::Line, {}, "nick: text"},
        {"nick", ChatRun::Line, {}, "nick"}, // case matters
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.run.toStdString());
        const ChatRun r = classifyRun(c.run);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.nicks, c.nicks);
        EXPECT_EQ(r.kind == ChatRun::Nicks ? QString() : r.text, c.text);
    }
}

TEST(ChatProtocol, ThirdUserGetsTheWholeListAndGluedLinesPassAsOne)
{
    HostFixture f;
    RawPeer a, b;
    ASSERT_TRUE(a.joinAs(f.port, "A"));
    ASSERT_TRUE(b.joinAs(f.port, "B"));
    ASSERT_TRUE(a.waitFor("NICK B\r\n"));
    settle();
    EXPECT_EQ(a.received, "NICK H\r\nNICK A\r\nNICK B\r\n");
    EXPECT_EQ(b.received, "NICK H\r\nNICK A\r\nNICK B\r\n");
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "A", "B"}));
    EXPECT_EQ(f.host.lstNicks().front().itemData, 0);
    EXPECT_TRUE(f.host.txtChat().startsWith("\r\n127.0.0.1 Connected..."));

    // Two lines glued into one run are passed on and logged as one line, and
    // not echoed to their sender.
    a.send("A: oneA: two");
    ASSERT_TRUE(b.waitFor("A: oneA: two"));
    EXPECT_TRUE(f.host.txtChat().endsWith("\r\nA: oneA: two"));
    settle();
    EXPECT_FALSE(a.received.contains("A: one"));

    // B leaves: the host says so to A only.
    b.socket.close();
    ASSERT_TRUE(a.waitFor("SAIU B"));
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "A"}));
    EXPECT_TRUE(f.host.txtChat().endsWith("\r\n127.0.0.1 :  Desconectado"));
}

TEST(ChatProtocol, SessionsAsClientsFollowJoinsLinesAndLeaves)
{
    HostFixture f;
    auto a = f.join("A", 2);
    auto b = f.join("B", 3);
    ASSERT_TRUE(waitUntil([&] { return a->lstNicks().size() == 3; }));
    EXPECT_EQ(b->nicks(), QStringList({"H", "A", "B"}));
    EXPECT_EQ(a->lstNicks().back().itemData, 1);
    EXPECT_TRUE(a->txtChat().startsWith("\r\nConectado..."));

    EXPECT_TRUE(a->sendLine("hi all"));
    ASSERT_TRUE(waitUntil([&] { return b->txtChat().endsWith("\r\nA: hi all"); }));
    EXPECT_TRUE(f.host.txtChat().endsWith("\r\nA: hi all"));
    EXPECT_TRUE(a->txtChat().endsWith("\r\nA: hi all"));

    f.host.sendLine(""); // an empty line goes out too
    ASSERT_TRUE(waitUntil([&] { return a->txtChat().endsWith("\r\nH: "); }));

    a->reset();
    ASSERT_TRUE(waitUntil([&] { return b->lstNicks().size() == 2; }));
    EXPECT_EQ(b->nicks(), QStringList({"H", "B"}));
}

// Messages caused by different events leave in sends of their own: a
// receiver that reads between two events gets one run per message, not a
// glued run it would misread (a leave of the nick "XNICK Y", a list logged as
// chat). X's leave or chat line and Y's announcement reach the host together;
// the receiver A reads whatever has arrived each time the host's list or log
// changes, which is between the host's handling of the two.
TEST(ChatProtocol, MessagesOfDifferentEventsArriveAsRunsOfTheirOwn)
{
    const struct
    {
        const char *name;
        bool xLeaves; // else X says a line
        QList<QByteArray> runs;
    } cases[] = {
        {"leave, then join", true, {"NICK Y\r\n", "SAIU X"}},
        {"chat line, then newcomer", false, {"NICK Y\r\n", "X: hi"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HostFixture f;
        QTcpSocket a;
        a.connectToHost(kLoopback, f.port);
        ASSERT_TRUE(a.waitForConnected(5000));
        a.write("NICK A");
        ASSERT_TRUE(waitUntil([&] { return f.host.lstNicks().size() == 2; }));
        RawPeer x, y;
        ASSERT_TRUE(x.joinAs(f.port, "X"));
        ASSERT_TRUE(y.connectTo(f.port));
        ASSERT_TRUE(waitUntil(
            [&] { return f.host.Users()->Count() == 3 && a.readAll().contains("NICK X\r\n"); }));
        settle();
        a.readAll();

        QList<QByteArray> runs;
        auto read = [&] {
            if (a.bytesAvailable() > 0 || a.waitForReadyRead(20))
                runs.append(a.readAll());
        };
        QObject::connect(&f.host, &ChatSession::nicksChanged, &a, read);
        QObject::connect(&f.host, &ChatSession::logAppended, &a, read);
        if (c.xLeaves)
            x.socket.close();
        else
            x.send("X: hi");
        y.send("NICK Y");
        QThread::msleep(50); // both are waiting at the host before it looks
        ASSERT_TRUE(waitUntil([&] { return f.host.nicks().contains(QStringLiteral("Y")); }));
        settle();
        QObject::disconnect(&f.host, nullptr, &a, nullptr);
        read();
        std::sort(runs.begin(), runs.end());
        EXPECT_EQ(runs, c.runs);
    }
}

TEST(ChatProtocol, EmptyNickIsNeitherListedNorAnswered)
{
    HostFixture f;
    RawPeer e;
    ASSERT_TRUE(e.connectTo(f.port));
    e.send("NICK ");
    settle(150);
    EXPECT_EQ(f.host.nicks(), QStringList({"H"}));
    EXPECT_TRUE(e.received.isEmpty());
}

TEST(ChatProtocol, ClientLosingTheHostRemovesOnlyTheFirstNick)
{
    auto f = std::make_unique<HostFixture>();
    auto a = f->join("A", 2);
    auto b = f->join("B", 3);
    ASSERT_TRUE(waitUntil([&] { return a->lstNicks().size() == 3; }));
    f->host.reset();
    ASSERT_TRUE(waitUntil([&] { return a->lstNicks().size() == 2; }));
    EXPECT_EQ(a->nicks(), QStringList({"A", "B"}));
    EXPECT_TRUE(a->txtChat().endsWith("\r\n127.0.0.1 :  Desconectado"));
    EXPECT_EQ(a->Users()->Count(), 0);
    EXPECT_TRUE(a->bConectado()); // the window does not go back to idle
}

TEST(ChatProtocol, FailedConnectIsLoggedAsAnEndedConnection)
{
    ChatSession c;
    EXPECT_TRUE(c.connectTo("A", kLoopback, unusedPort()));
    ASSERT_TRUE(waitUntil([&] { return c.txtChat().contains("Desconectado"); }));
    EXPECT_EQ(c.txtChat(), "\r\n :  Desconectado");
    EXPECT_EQ(c.Users()->Count(), 0);
}

TEST(ChatProtocol, SameNickTwiceLeavesByTheFirstEntry)
{
    HostFixture f;
    RawPeer x1, x2, c;
    ASSERT_TRUE(x1.joinAs(f.port, "X"));
    ASSERT_TRUE(c.joinAs(f.port, "C"));
    ASSERT_TRUE(x2.joinAs(f.port, "X"));
    ASSERT_TRUE(x2.waitFor("NICK X\r\nNICK C\r\nNICK X\r\n"));
    ASSERT_TRUE(waitUntil([&] { return c.received.endsWith("NICK X\r\n"); }));
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "X", "C", "X"}));
    x2.socket.close(); // the second X leaves
    ASSERT_TRUE(c.waitFor("SAIU X"));
    // The host knows which connection left ...
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "X", "C"}));
    // ... while a client removes the first "X" of its list, whoever left.
    ChatSession client;
    client.Nick("X", "1");
    client.Nick("C", "1");
    client.Nick("X", "1");
    client.Saiu("X");
    EXPECT_EQ(client.nicks(), QStringList({"C", "X"}));
}

// One connection may list several nicks; they all go when it does, and the
// next connection on the same socket number starts with none of them.
TEST(ChatProtocol, AConnectionsNicksAllLeaveWithIt)
{
    HostFixture f;
    RawPeer watcher;
    ASSERT_TRUE(watcher.joinAs(f.port, "W"));
    RawPeer many;
    ASSERT_TRUE(many.connectTo(f.port));
    many.send("NICK a\r\nNICK b\r\nNICK c\r\n");
    ASSERT_TRUE(watcher.waitFor("NICK c\r\n"));
    many.socket.close();
    ASSERT_TRUE(waitUntil([&] { return f.host.lstNicks().size() == 2; }));
    for (const char *gone : {"SAIU a", "SAIU b", "SAIU c"})
        EXPECT_TRUE(watcher.waitFor(gone)) << gone;

    RawPeer next; // most likely on the socket number `many` had
    ASSERT_TRUE(next.joinAs(f.port, "z"));
    watcher.received.clear();
    next.socket.close();
    ASSERT_TRUE(watcher.waitFor("SAIU z"));
    settle();
    EXPECT_EQ(watcher.received, "SAIU z");
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "W"}));
}

TEST(ChatHostHardening, HostKeepsServingThroughGarbageAndVanishingPeers)
{
    HostFixture f;
    RawPeer good;
    ASSERT_TRUE(good.joinAs(f.port, "good"));

    RawPeer silent; // connects and says nothing
    ASSERT_TRUE(silent.connectTo(f.port));

    RawPeer garbage;
    ASSERT_TRUE(garbage.connectTo(f.port));
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 131 + 7) & 0xff);
    garbage.send(junk);
    garbage.send(QByteArray(1024 * 1024, 'z')); // a 1 MB run
    garbage.send("NICK");                       // a "NICK" run without a nick

    // Floods the list with nicks: one connection adds a bounded number.
    RawPeer spam;
    ASSERT_TRUE(spam.connectTo(f.port));
    QByteArray many;
    for (int i = 0; i < 500; ++i)
        many += "NICK n" + QByteArray::number(i) + "\r\n";
    spam.send(many);

    RawPeer vanish; // goes away in the middle of a message
    ASSERT_TRUE(vanish.connectTo(f.port));
    vanish.send("vanish: half a mess");
    vanish.socket.abort();

    ASSERT_TRUE(good.waitFor(QByteArray(64, 'z'), 10000));
    good.received.clear();
    RawPeer late;
    ASSERT_TRUE(late.joinAs(f.port, "late"));
    ASSERT_TRUE(good.waitFor("NICK late\r\n"));
    late.send("late: still here");
    ASSERT_TRUE(good.waitFor("late: still here"));
    EXPECT_LE(f.host.lstNicks().size(), 1 + 1 + ChatSession::kNicksPerConnection + 1 + 1);
    EXPECT_LE(f.host.txtChat().size(), ChatSession::kLogLimit);
    // The megabyte run is relayed whole but shown cut, with a mark.
    EXPECT_TRUE(f.host.txtChat().contains(QStringLiteral("\u2026 [")));
    for (QStringView line : QStringView(f.host.txtChat()).split(u"\r\n"))
        EXPECT_LE(line.size(), ChatSession::kShownRunLimit + 64);
}

// Peers that do not read are dropped, with a line in the log, once their own
// backlog or the host's whole backlog passes its bound; the largest goes first.
TEST(ChatHostHardening, PeersThatDoNotReadAreDroppedPastTheBacklogBounds)
{
    const struct
    {
        const char *name;
        qint64 perPeer;
        qint64 whole;
        int stuckPeers;
    } cases[] = {
        {"one peer past its own bound", 256 * 1024, ChatSession::kDefaultTotalBacklogLimit, 1},
        {"the host's whole backlog", qint64(1) << 30, 512 * 1024, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HostFixture f;
        f.host.setSendBacklogLimit(c.perPeer);
        f.host.setTotalBacklogLimit(c.whole);
        std::vector<std::unique_ptr<RawPeer>> stuck;
        for (int i = 0; i < c.stuckPeers; ++i) {
            stuck.push_back(std::make_unique<RawPeer>());
            ASSERT_TRUE(stuck.back()->joinAs(f.port, "stuck" + QByteArray::number(i)));
            stuck.back()->socket.setReadBufferSize(1);
            QObject::disconnect(&stuck.back()->socket, &QTcpSocket::readyRead, nullptr, nullptr);
        }
        RawPeer talker;
        ASSERT_TRUE(talker.joinAs(f.port, "talker"));
        // Enough to fill the kernel buffers and then the bounds.
        const QByteArray line = "talker: " + QByteArray(64 * 1024, 'y');
        for (int i = 0; i < 400 && f.host.lstNicks().size() > 2; ++i) {
            talker.send(line);
            settle(5);
        }
        ASSERT_TRUE(waitUntil([&] { return f.host.lstNicks().size() == 2; }, 10000));
        EXPECT_EQ(f.host.nicks(), QStringList({"H", "talker"}));
        for (int i = 0; i < c.stuckPeers; ++i)
            EXPECT_TRUE(talker.waitFor("SAIU stuck" + QByteArray::number(i)));
        EXPECT_EQ(f.host.txtChat().count(QStringLiteral("\r\n127.0.0.1 dropped: ")), c.stuckPeers);
    }
}

TEST(ChatHostHardening, ConnectionsPastTheLimitAreRefusedWithALogLine)
{
    HostFixture f;
    f.host.setConnectionLimit(2);
    RawPeer a, b, refused;
    ASSERT_TRUE(a.joinAs(f.port, "A"));
    ASSERT_TRUE(b.joinAs(f.port, "B"));
    refused.socket.connectToHost(kLoopback, f.port);
    ASSERT_TRUE(waitUntil([&] { return f.host.txtChat().contains("refused"); }));
    EXPECT_TRUE(f.host.txtChat().endsWith("\r\n127.0.0.1 refused: the chat has 2 connections"));
    EXPECT_TRUE(
        waitUntil([&] { return refused.socket.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(f.host.Users()->Count(), 2);

    a.socket.close(); // a place is free again
    ASSERT_TRUE(b.waitFor("SAIU A"));
    RawPeer late;
    EXPECT_TRUE(late.joinAs(f.port, "late"));
}

// Fifty peers connect while the host is busy: all of them wait in the listen
// queue (a connect the queue drops retries only a second later), and the
// host takes them all.
TEST(ChatHostHardening, AStormOfConnectsWaitsInTheQueueAndIsTaken)
{
    HostFixture f;
    std::vector<int> peers;
    for (int i = 0; i < 50; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(f.port);
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
        peers.push_back(fd);
    }
    QThread::msleep(100); // the handshakes, without the host's event loop
    tcp_info queue{};
    socklen_t size = sizeof queue;
    ASSERT_EQ(::getsockopt(f.host.Listen()->SocketHandle(), IPPROTO_TCP, TCP_INFO, &queue, &size),
              0);
    EXPECT_EQ(queue.tcpi_unacked, 50u); // on a listener: connections waiting
    EXPECT_TRUE(waitUntil([&] { return f.host.Users()->Count() == 50; }))
        << f.host.Users()->Count() << " of 50 taken";
    for (int fd : peers)
        ::close(fd);
}

TEST(ChatHostCommandLine, ParsesOptionsAndKeepsTerminalEscapesOffTheLog)
{
    QString error;
    EXPECT_FALSE(ChatHost::parse({"--port", "70000"}, &error));
    EXPECT_FALSE(ChatHost::parse({"--nick"}, &error));
    EXPECT_FALSE(ChatHost::parse({"--bogus"}, &error));
    auto defaults = ChatHost::parse({}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->port, 3005);
    auto o = ChatHost::parse({"--nick", "Boss", "--port", "0", "--bind", "127.0.0.1"}, &error);
    ASSERT_TRUE(o);

    // Joining, talking and leaving through the real binary is CliChatHost's
    // test; here only what a peer must not reach: our terminal.
    QStringList out;
    ChatHost host(*o, [&](const QString &line) { out << line; });
    ASSERT_TRUE(host.start());
    RawPeer bob;
    ASSERT_TRUE(bob.joinAs(host.session().listeningPort(), "bob"));
    bob.send("bob: hi\x1b[2J");
    ASSERT_TRUE(waitUntil([&] { return out.size() == 2; }));
    EXPECT_EQ(out[1], "bob: hi?[2J");
}

TEST(ChatHostCommandLine, BadArgumentsAndABusyPortEndWithTheirCodes)
{
    EXPECT_EQ(ChatHost::runCommand({"--port", "x"}), 2);
    QTcpServer busy;
    ASSERT_TRUE(busy.listen(QHostAddress::LocalHost, 0));
    EXPECT_EQ(
        ChatHost::runCommand({"--port", QString::number(busy.serverPort()), "--bind", "127.0.0.1"}),
        1);
}
