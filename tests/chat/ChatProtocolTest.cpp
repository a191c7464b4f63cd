#include "ChatTestSupport.h"

#include "chat/ChatHost.h"
#include "chat/ChatProtocol.h"
#include "chat/ChatSession.h"

#include <QTcpServer>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

#include <memory>

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
    ChatRun r = classifyRun("NICK H\r\nNICK A\r\nNICK B\r\n");
    EXPECT_EQ(r.kind, ChatRun::Nicks);
    EXPECT_EQ(r.nicks, QStringList({"H", "A", "B"}));
    // A "NICK" run with a chat line glued on adds the line from char 6 on.
    r = classifyRun("NICK A\r\nbob: hello");
    EXPECT_EQ(r.nicks, QStringList({"A", "hello"}));
    // The announcement of an empty nick is too short to count.
    EXPECT_TRUE(classifyRun("NICK ").nicks.isEmpty());
    EXPECT_EQ(classifyRun("NICK").kind, ChatRun::Nicks);
    // A nick beginning with NICK makes a chat line a command.
    r = classifyRun("NICKY: hi");
    EXPECT_EQ(r.kind, ChatRun::Nicks);
    EXPECT_EQ(r.nicks, QStringList({": hi"}));
    r = classifyRun("SAIU bob");
    EXPECT_EQ(r.kind, ChatRun::Left);
    EXPECT_EQ(r.text, "bob");
    EXPECT_EQ(classifyRun("SAIU").text, "");
    r = classifyRun("nick: text");
    EXPECT_EQ(r.kind, ChatRun::Line);
    EXPECT_EQ(r.text, "nick: text");
    EXPECT_EQ(classifyRun("nick").kind, ChatRun::Line); // case matters
}

TEST(ChatProtocol, ThirdUserGetsTheWholeListInOrderAndOthersGetOneLine)
{
    HostFixture f;
    RawPeer a;
    ASSERT_TRUE(a.connectTo(f.port));
    a.send("NICK A");
    ASSERT_TRUE(a.waitFor("NICK H\r\nNICK A\r\n"));
    RawPeer b;
    ASSERT_TRUE(b.connectTo(f.port));
    b.send("NICK B");
    ASSERT_TRUE(b.waitFor("NICK H\r\nNICK A\r\nNICK B\r\n"));
    ASSERT_TRUE(a.waitFor("NICK B\r\n"));
    settle();
    EXPECT_EQ(a.received, "NICK H\r\nNICK A\r\nNICK B\r\n");
    EXPECT_EQ(b.received, "NICK H\r\nNICK A\r\nNICK B\r\n");
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "A", "B"}));
    EXPECT_EQ(f.host.lstNicks().front().itemData, 0);
    EXPECT_TRUE(f.host.txtChat().startsWith("\r\n127.0.0.1 Connected..."));

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

TEST(ChatProtocol, TwoLinesInOneRunAreLoggedAsOneLine)
{
    HostFixture f;
    RawPeer a;
    ASSERT_TRUE(a.connectTo(f.port));
    a.send("NICK A");
    ASSERT_TRUE(a.waitFor("NICK A\r\n"));
    RawPeer b;
    ASSERT_TRUE(b.connectTo(f.port));
    b.send("NICK B");
    ASSERT_TRUE(a.waitFor("NICK B\r\n"));
    a.send("A: oneA: two");
    ASSERT_TRUE(b.waitFor("A: oneA: two"));
    EXPECT_TRUE(f.host.txtChat().endsWith("\r\nA: oneA: two"));
    settle();
    EXPECT_FALSE(a.received.contains("A: one")); // not echoed to its sender
}

TEST(ChatProtocol, NickBeginningWithNickTurnsItsLinesIntoNicks)
{
    HostFixture f;
    RawPeer y;
    ASSERT_TRUE(y.connectTo(f.port));
    y.send("NICK NICKY");
    ASSERT_TRUE(y.waitFor("NICK NICKY\r\n"));
    y.send("NICKY: hi");
    ASSERT_TRUE(waitUntil([&] { return f.host.lstNicks().size() == 3; }));
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "NICKY", ": hi"}));
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
    quint16 port = 0;
    {
        HostFixture probe;
        port = probe.port;
        probe.host.reset();
    }
    ChatSession c;
    EXPECT_TRUE(c.connectTo("A", kLoopback, port));
    ASSERT_TRUE(waitUntil([&] { return c.txtChat().contains("Desconectado"); }));
    EXPECT_EQ(c.txtChat(), "\r\n :  Desconectado");
    EXPECT_EQ(c.Users()->Count(), 0);
}

TEST(ChatProtocol, SameNickTwiceLeavesByTheFirstEntry)
{
    HostFixture f;
    RawPeer x1, x2, c;
    ASSERT_TRUE(x1.connectTo(f.port));
    x1.send("NICK X");
    ASSERT_TRUE(x1.waitFor("NICK X\r\n"));
    ASSERT_TRUE(c.connectTo(f.port));
    c.send("NICK C");
    ASSERT_TRUE(c.waitFor("NICK C\r\n"));
    ASSERT_TRUE(x2.connectTo(f.port));
    x2.send("NICK X");
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

TEST(ChatHostHardening, HostKeepsServingThroughGarbageAndVanishingPeers)
{
    HostFixture f;
    RawPeer good;
    ASSERT_TRUE(good.connectTo(f.port));
    good.send("NICK good");
    ASSERT_TRUE(good.waitFor("NICK good\r\n"));

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
    ASSERT_TRUE(late.connectTo(f.port));
    late.send("NICK late");
    ASSERT_TRUE(late.waitFor("NICK late\r\n", 10000));
    ASSERT_TRUE(good.waitFor("NICK late\r\n"));
    late.send("late: still here");
    ASSERT_TRUE(good.waitFor("late: still here"));
    EXPECT_LE(f.host.lstNicks().size(), 1 + 1 + ChatSession::kNicksPerConnection + 1 + 1);
    EXPECT_LE(f.host.txtChat().size(), ChatSession::kLogLimit);
}

TEST(ChatHostHardening, PeerThatDoesNotReadIsDroppedPastTheBacklogBound)
{
    HostFixture f;
    f.host.setSendBacklogLimit(256 * 1024);
    RawPeer stuck;
    ASSERT_TRUE(stuck.connectTo(f.port));
    stuck.send("NICK stuck");
    ASSERT_TRUE(stuck.waitFor("NICK stuck\r\n"));
    stuck.socket.setReadBufferSize(1);
    QObject::disconnect(&stuck.socket, &QTcpSocket::readyRead, nullptr, nullptr);

    RawPeer talker;
    ASSERT_TRUE(talker.connectTo(f.port));
    talker.send("NICK talker");
    ASSERT_TRUE(talker.waitFor("NICK talker\r\n"));
    // Enough to fill the kernel buffers and then the backlog bound.
    const QByteArray line = "talker: " + QByteArray(64 * 1024, 'y');
    for (int i = 0; i < 200 && f.host.lstNicks().size() == 3; ++i) {
        talker.send(line);
        settle(5);
    }
    ASSERT_TRUE(waitUntil([&] { return f.host.lstNicks().size() == 2; }, 10000));
    EXPECT_EQ(f.host.nicks(), QStringList({"H", "talker"}));
    EXPECT_TRUE(talker.waitFor("SAIU stuck"));
}

TEST(ChatHostCommandLine, ParsesOptionsAndServesAPlainTcpClient)
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

    QStringList out;
    ChatHost host(*o, [&](const QString &line) { out << line; });
    ASSERT_TRUE(host.start());
    RawPeer bob;
    ASSERT_TRUE(bob.connectTo(host.session().listeningPort()));
    bob.send("NICK bob");
    ASSERT_TRUE(bob.waitFor("NICK Boss\r\nNICK bob\r\n"));
    bob.send("bob: hi\x1b[2J");
    ASSERT_TRUE(waitUntil([&] { return out.size() == 2; }));
    EXPECT_EQ(out[0], "127.0.0.1 Connected...");
    EXPECT_EQ(out[1], "bob: hi?[2J"); // no terminal escapes on our output
    bob.socket.close();
    ASSERT_TRUE(waitUntil([&] { return out.size() == 3; }));
    EXPECT_EQ(out[2], "127.0.0.1 :  Desconectado");
}

TEST(ChatHostCommandLine, RunsUntilInterruptedAndReportsBadArguments)
{
    EXPECT_EQ(ChatHost::runCommand({"--port", "x"}), 2);

    QTcpServer busy;
    ASSERT_TRUE(busy.listen(QHostAddress::LocalHost, 0));
    EXPECT_EQ(
        ChatHost::runCommand({"--port", QString::number(busy.serverPort()), "--bind", "127.0.0.1"}),
        1);
    quint16 port = busy.serverPort();
    busy.close();

    // A client talks to the host from inside its event loop, then SIGINT ends it.
    RawPeer peer;
    QByteArray seen;
    QTimer::singleShot(50, [&] {
        peer.socket.connectToHost(kLoopback, port);
        QObject::connect(&peer.socket, &QTcpSocket::connected, [&] { peer.send("NICK cli"); });
        QObject::connect(&peer.socket, &QTcpSocket::readyRead, [&] {
            seen += peer.received;
            if (seen.contains("NICK cli\r\n"))
                std::raise(SIGINT);
        });
    });
    QTimer::singleShot(10000, [] { std::raise(SIGTERM); }); // never hang the suite
    EXPECT_EQ(ChatHost::runCommand(
                  {"--nick", "Boss", "--port", QString::number(port), "--bind", "127.0.0.1"}),
              0);
    EXPECT_TRUE(peer.received.startsWith("NICK Boss\r\nNICK cli\r\n"));
}
