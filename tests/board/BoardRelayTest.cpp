// The team board through real sockets on loopback: a relay host, clients
// that share, follow and ping, and peers that break the rules.

#include "board/BoardHost.h"
#include "board/BoardTestSupport.h"
#include "board/BoardWire.h"

#include <QTcpSocket>
#include <QtEndian>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cmath>

using namespace vantrel;
using namespace vantrel::test;

namespace {

struct Relay
{
    BoardHost host;
    QStringList log;

    Relay()
    {
        QObject::connect(&host, &BoardHost::logLine, [this](const QString &l) { log << l; });
        host.listen(QHostAddress::LocalHost, 0);
    }
    bool logged(const QString &part)
    {
        return waitUntil([&] { return log.join('\n').contains(part); });
    }
};

} // namespace

TEST(BoardRelay, SharedStratAndPlayReachFollowersAndLateJoinersAndOutliveTheSharer)
{
    Relay relay;
    Follower ana, bo;
    ASSERT_TRUE(ana.join(relay.host.port(), "Ana"));
    ASSERT_TRUE(bo.join(relay.host.port(), "Bo"));

    const QByteArray strat = stratBytes(100000);
    ana.client.shareStrat(strat, "Mid smoke");
    ASSERT_TRUE(bo.hears("shared Ana Mid smoke"));
    EXPECT_EQ(bo.strat, strat);
    ASSERT_TRUE(ana.hears("taken"));
    EXPECT_FALSE(ana.events.contains("shared Ana Mid smoke"));

    const BoardPlay running{BoardPlay::Run::Running, 100, 2.0};
    ana.client.sendPlay(running);
    ASSERT_TRUE(waitUntil([&] { return !bo.plays.isEmpty(); }));
    EXPECT_EQ(bo.plays.last(), running);

    // A late joiner hears both at once; a running play has moved on meanwhile.
    settle(100);
    Follower cy;
    ASSERT_TRUE(cy.join(relay.host.port(), "Cy"));
    ASSERT_TRUE(cy.hears("shared Ana Mid smoke"));
    EXPECT_EQ(cy.strat, strat);
    ASSERT_TRUE(waitUntil([&] { return !cy.plays.isEmpty(); }));
    EXPECT_EQ(cy.plays.first().run, BoardPlay::Run::Running);
    EXPECT_GE(cy.plays.first().frame, 100 + 64 * 2 / 10); // at least 100 ms on at 2x

    // A live edit replaces the strat everywhere.
    const QByteArray edited = stratBytes(200, "Long");
    ana.client.shareStrat(edited, "Long");
    ASSERT_TRUE(cy.hears("shared Ana Long"));
    EXPECT_EQ(cy.strat, edited);

    // The sharer goes: everybody keeps the copy, and so does the host.
    ana.client.disconnectFromHost();
    ASSERT_TRUE(bo.hears("left Ana"));
    EXPECT_TRUE(bo.events.contains("stopped Ana"));
    EXPECT_EQ(bo.strat, stratBytes(200, "Long"));
    Follower di;
    ASSERT_TRUE(di.join(relay.host.port(), "Di"));
    ASSERT_TRUE(di.hears("stopped Ana"));
    EXPECT_EQ(di.events.first(), "shared Ana Long");
    EXPECT_EQ(di.strat, edited);
    ASSERT_FALSE(di.plays.isEmpty());
    EXPECT_EQ(di.plays.first().run, BoardPlay::Run::Paused);
}

TEST(BoardRelay, PingsGoToTheOthersAndOnlyTheSharerLeadsOrStops)
{
    Relay relay;
    Follower ana, bo, cy;
    ASSERT_TRUE(ana.join(relay.host.port(), "Ana"));
    ASSERT_TRUE(bo.join(relay.host.port(), "Bo"));
    ASSERT_TRUE(cy.join(relay.host.port(), "Cy"));
    ana.client.shareStrat(stratBytes(), "Mid");
    ASSERT_TRUE(cy.hears("shared Ana Mid"));

    bo.client.sendPlay({BoardPlay::Run::Running, 5, 1.0});
    bo.client.stopSharing();
    bo.client.sendPing(QPoint(-30, 40));
    ASSERT_TRUE(ana.hears("ping Bo -30 40"));
    ASSERT_TRUE(cy.hears("ping Bo -30 40"));
    EXPECT_FALSE(bo.events.join(' ').contains("ping"));
    EXPECT_TRUE(cy.plays.isEmpty());
    EXPECT_FALSE(cy.events.contains("stopped Bo"));

    // The sharer's own stop withdraws the strat: a late joiner gets nothing.
    ana.client.stopSharing();
    ASSERT_TRUE(cy.hears("stopped Ana"));
    Follower di;
    ASSERT_TRUE(di.join(relay.host.port(), "Di"));
    bo.client.sendPing(QPoint(1, 2));
    ASSERT_TRUE(di.hears("ping Bo 1 2"));
    EXPECT_EQ(di.events, QStringList{"ping Bo 1 2"});
}

namespace {

QByteArray header(uint8_t type, uint32_t length)
{
    QByteArray h(BoardWire::kHeaderSize, '\0');
    h[0] = char(type);
    qToLittleEndian(length, h.data() + 1);
    return h;
}

// The frame with one byte more than its fields take.
QByteArray padded(QByteArray frame)
{
    qToLittleEndian(qFromLittleEndian<uint32_t>(frame.constData() + 1) + 1, frame.data() + 1);
    return frame + "x";
}

QByteArray withSpeed(double speed)
{
    return BoardWire::play(QString(), {BoardPlay::Run::Running, 1, speed});
}

} // namespace

TEST(BoardHostile, BrokenPeersAreDroppedWhileTheOthersGoOn)
{
    const QByteArray hello = BoardWire::hello("Evil");
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *why;
    } cases[] = {
        {"garbage", "GET / HTTP/1.1\r\nHost: x\r\n\r\n", "unknown message type 71"},
        {"huge frame", hello + header(3, 0xFFFFFFFFu), "over the"},
        {"small type, large length", hello + header(6, 5000) + QByteArray(5000, 'x'), "over the"},
        {"length shorter than its fields", hello + header(5, 3) + "abc", "cut short"},
        {"bytes past the fields", hello + padded(BoardWire::ping({}, {})), "past its end"},
        {"message before hello", BoardWire::ping({}, QPoint(1, 1)), "before its hello"},
        {"second hello", hello + hello, "a second hello"},
        {"other version", BoardWire::hello("Evil").replace(5, 1, "\x07"), "protocol 7"},
        {"host's message", hello + BoardWire::welcome(), "only the host"},
        {"speed NaN", hello + withSpeed(std::nan("")), "speed"},
        {"strat that does not read", hello + BoardWire::share({}, "t", "junk"), "does not read"},
    };
    Relay relay;
    Follower ana, bo;
    ASSERT_TRUE(ana.join(relay.host.port(), "Ana"));
    ASSERT_TRUE(bo.join(relay.host.port(), "Bo"));
    int pings = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        relay.log.clear();
        QTcpSocket evil;
        evil.connectToHost(QHostAddress::LocalHost, relay.host.port());
        ASSERT_TRUE(evil.waitForConnected(5000));
        evil.write(c.bytes);
        ASSERT_TRUE(relay.logged(QStringLiteral("dropped: ")));
        EXPECT_TRUE(relay.log.join('\n').contains(c.why)) << relay.log.join('\n').toStdString();
        EXPECT_TRUE(waitUntil([&] { return evil.state() == QAbstractSocket::UnconnectedState; }));
        ana.client.sendPing(QPoint(++pings, 0));
        ASSERT_TRUE(bo.hears(QStringLiteral("ping Ana %1 0").arg(pings)));
    }
    EXPECT_TRUE(ana.client.isConnected());
    EXPECT_EQ(relay.host.peerCount(), 2);
}

TEST(BoardHostile, StalledReadersAndHalfSentFramesAreBounded)
{
    Relay relay;
    relay.host.setSendBacklogLimit(1500 * 1024);  // one share and some
    relay.host.setTotalInboundLimit(1500 * 1024); // a share in flight fits
    Follower ana, bo;
    ASSERT_TRUE(ana.join(relay.host.port(), "Ana"));
    ASSERT_TRUE(bo.join(relay.host.port(), "Bo"));

    // Greets and then never reads, with as small a window as the system allows.
    const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 4096;
    ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(relay.host.port());
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(stalled, reinterpret_cast<sockaddr *>(&to), sizeof to), 0);
    const QByteArray hello = BoardWire::hello("Sleepy");
    ASSERT_EQ(::write(stalled, hello.constData(), size_t(hello.size())), hello.size());
    ASSERT_TRUE(waitUntil([&] { return relay.host.peerCount() == 3; }));

    // Announces a large share and sends only part of it.
    QTcpSocket liar;
    liar.connectToHost(QHostAddress::LocalHost, relay.host.port());
    ASSERT_TRUE(liar.waitForConnected(5000));
    liar.write(BoardWire::hello("Liar") + header(3, 2000000) + QByteArray(1600000, '\0'));

    const QByteArray big = stratBytes(1000000);
    for (int i = 0; i < 40 && !relay.log.join('\n').contains("does not read"); ++i) {
        ana.client.shareStrat(big, QString::number(i));
        ASSERT_TRUE(bo.hears(QStringLiteral("shared Ana %1").arg(i)));
    }
    EXPECT_TRUE(relay.logged("Sleepy (127.0.0.1"));
    EXPECT_TRUE(relay.logged("does not read"));
    EXPECT_TRUE(relay.logged("Liar (127.0.0.1"));
    EXPECT_TRUE(relay.logged("largest unfinished frame"));
    EXPECT_EQ(bo.strat, big);
    EXPECT_EQ(relay.host.peerCount(), 2);
    ::close(stalled);
}
