#include "ChatTestSupport.h"

#include "chat/CSocketMaster.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vantrel;
using namespace vantrel::test;

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

template<class F> SocketError raised(F &&f)
{
    try {
        f();
    } catch (const SocketError &e) {
        return e;
    }
    ADD_FAILURE() << "no SocketError raised";
    return SocketError(0, {}, {});
}

// A listener on 127.0.0.1 with an OS-chosen port that accepts every request
// into a new object (or none, when `accept` is false).
struct Host
{
    CSocketMaster listener;
    std::vector<std::unique_ptr<CSocketMaster>> accepted;
    bool accept = true;
    std::function<void(CSocketMaster &)> onAccepted; // wired before Accept runs

    Host()
    {
        listener.Bind(0, kLoopback);
        listener.Listen();
        QObject::connect(&listener, &CSocketMaster::ConnectionRequest, [this](qint32 id) {
            if (!accept)
                return;
            accepted.push_back(std::make_unique<CSocketMaster>());
            if (onAccepted)
                onAccepted(*accepted.back());
            accepted.back()->Accept(id);
        });
    }
    quint16 port() const { return quint16(listener.LocalPort()); }
};

// A client CSocketMaster connected to `host`, with the host's side accepted.
struct Pair
{
    Host host;
    CSocketMaster client;
    Pair()
    {
        client.Connect(kLoopback, host.port());
        EXPECT_TRUE(waitUntil([this] {
            return client.State() == CSocketMaster::sckConnected && !host.accepted.empty();
        }));
    }
    CSocketMaster &server() { return *host.accepted.front(); }
};

} // namespace

TEST(SocketStates, PropertyRulesAndConnectPreconditions)
{
    CSocketMaster s;
    s.CloseSck(); // closing a new object changes nothing
    EXPECT_EQ(s.State(), CSocketMaster::sckClosed);
    EXPECT_EQ(s.SocketHandle(), -1);
    EXPECT_TRUE(modSocketMaster::WinsockStarted());
    EXPECT_EQ(raised([&] { s.setRemotePort(65536); }).number(), 40014);
    s.setRemotePort(0); // the property takes 0
    EXPECT_EQ(s.RemotePort(), 0);
    const SocketError zero = raised([&] { s.Connect(kLoopback, 0); });
    EXPECT_EQ(zero.number(), 40014);
    EXPECT_EQ(zero.source(), "CSocketMaster.Connect");
    EXPECT_EQ(raised([&] { s.Connect(kLoopback, QStringLiteral("port")); }).number(), 40018);
    EXPECT_EQ(raised([&] { s.GetData(*std::make_unique<SocketData>()); }).number(), 40006);
    EXPECT_EQ(raised([&] { s.SendData(QStringLiteral("x")); }).number(), 40006);

    s.Bind(0, kLoopback);
    s.Listen();
    EXPECT_EQ(s.State(), CSocketMaster::sckListening);
    EXPECT_NE(s.LocalPort(), 0);
    EXPECT_EQ(s.LocalIP(), kLoopback);
    const SocketError busy = raised([&] { s.Connect(kLoopback, 80); });
    EXPECT_EQ(busy.number(), 40020);
    EXPECT_EQ(busy.description(), "Invalid operation at current state");
    EXPECT_EQ(raised([&] { s.setLocalPort(1); }).number(), 40020);
    EXPECT_EQ(raised([&] { s.setRemoteHost("x"); }).number(), 40020);
    EXPECT_EQ(raised([&] { s.setProtocol(1); }).number(), 40020);

    s.CloseSck();
    EXPECT_EQ(s.State(), CSocketMaster::sckClosed);
    EXPECT_EQ(s.SocketHandle(), -1);
}

TEST(SocketStates, SecondListenerOnAPortGetsAddressInUse)
{
    CSocketMaster a;
    a.Bind(0, kLoopback);
    a.Listen();
    CSocketMaster b;
    const SocketError e = raised([&] { b.Bind(a.LocalPort(), kLoopback); });
    EXPECT_EQ(e.number(), 10048);
    EXPECT_EQ(e.description(), "Address already in use.");
    EXPECT_EQ(e.source(), "CSocketMaster.BindInternal");
}

// A dotted address goes straight to connecting; a host name is resolved first.
TEST(SocketConnect, ConnectGoesThroughItsStatesToConnected)
{
    const std::pair<QString, qint32> cases[]
        = {{kLoopback, CSocketMaster::sckConnecting},
           {QStringLiteral("localhost"), CSocketMaster::sckResolvingHost}};
    for (const auto &[remote, firstState] : cases) {
        SCOPED_TRACE(remote.toStdString());
        Host host;
        CSocketMaster c;
        bool connected = false;
        QObject::connect(&c, &CSocketMaster::ConnectEvent, [&] { connected = true; });
        c.Connect(remote, host.port());
        EXPECT_EQ(c.State(), firstState);
        ASSERT_TRUE(waitUntil([&] { return connected && !host.accepted.empty(); }));
        EXPECT_EQ(c.State(), CSocketMaster::sckConnected);
        EXPECT_EQ(c.RemoteHost(), remote);
        EXPECT_EQ(c.RemoteHostIP(), kLoopback);
        EXPECT_EQ(c.RemotePort(), host.port());
        EXPECT_EQ(host.accepted.front()->State(), CSocketMaster::sckConnected);
        EXPECT_EQ(host.accepted.front()->RemoteHostIP(), kLoopback);
        EXPECT_EQ(host.accepted.front()->LocalPort(), host.port());
    }
}

TEST(SocketConnect, RefusedConnectionRaisesErrorEventAndABoxOnlyWhenTheHandlerAsks)
{
    const quint16 port = unusedPort();
    CSocketMaster quiet, loud;
    int boxes = 0;
    quiet.setMessageHook([&](const QString &, const QString &) { ++boxes; });
    QString text, title;
    loud.setMessageHook([&](const QString &t, const QString &s) {
        text = t;
        title = s;
    });
    SocketErrorEvent got;
    bool errored = false;
    QObject::connect(&quiet, &CSocketMaster::Error, [&](SocketErrorEvent &e) {
        got = e;
        errored = true;
    });
    QObject::connect(&loud, &CSocketMaster::Error,
                     [](SocketErrorEvent &e) { e.CancelDisplay = false; });
    quiet.Connect(kLoopback, port);
    loud.Connect(kLoopback, port);
    ASSERT_TRUE(waitUntil([&] { return errored && !text.isEmpty(); }));
    EXPECT_EQ(got.Number, 10061);
    EXPECT_EQ(got.Description, "Connection refused.");
    EXPECT_EQ(got.Source, "CSocketMaster.PostSocket");
    EXPECT_TRUE(got.CancelDisplay);
    EXPECT_EQ(quiet.State(), CSocketMaster::sckError);
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(text, "Connection refused.");
    EXPECT_EQ(title, "CSocketMaster.PostSocket");
    quiet.CloseSck();
    EXPECT_EQ(quiet.State(), CSocketMaster::sckClosed);
    EXPECT_EQ(quiet.RemotePort(), port); // kept for another try
}

TEST(SocketAccept, RequestNotAcceptedIsClosedRightAfterTheEvent)
{
    Host host;
    host.accept = false;
    int requests = 0;
    QObject::connect(&host.listener, &CSocketMaster::ConnectionRequest, [&](qint32) {
        ++requests;
        EXPECT_EQ(modSocketMaster::AcceptListCount(), 1);
        EXPECT_EQ(host.listener.RemoteHostIP(), kLoopback); // the waiting peer, for now
    });
    CSocketMaster c;
    bool closed = false;
    QObject::connect(&c, &CSocketMaster::CloseSckEvent, [&] { closed = true; });
    c.Connect(kLoopback, host.port());
    ASSERT_TRUE(waitUntil([&] { return closed; }));
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(c.State(), CSocketMaster::sckClosing);
    EXPECT_EQ(modSocketMaster::AcceptListCount(), 0);
    EXPECT_TRUE(host.listener.RemoteHostIP().isEmpty()); // put back after the event
}

TEST(SocketAccept, DataSentBeforeAcceptArrivesFromInsideAccept)
{
    Host host;
    bool insideAccept = false;
    QByteArray firstRun;
    int arrivals = 0;
    host.onAccepted = [&](CSocketMaster &s) {
        insideAccept = true;
        QObject::connect(&s, &CSocketMaster::DataArrival, [&, sp = &s](qint32 total) {
            ++arrivals;
            EXPECT_TRUE(insideAccept);
            EXPECT_EQ(total, 10);
            SocketData d{QByteArray()};
            sp->GetData(d);
            firstRun = d.as<QByteArray>();
        });
    };
    QObject::connect(&host.listener, &CSocketMaster::ConnectionRequest,
                     [&](qint32) { insideAccept = false; });
    RawPeer peer;
    peer.socket.connectToHost(kLoopback, host.port());
    ASSERT_TRUE(peer.socket.waitForConnected(2000));
    peer.socket.write("hello");
    peer.socket.write("world");
    ASSERT_TRUE(peer.socket.waitForBytesWritten(2000));
    ASSERT_TRUE(waitUntil([&] { return arrivals > 0; }));
    EXPECT_EQ(arrivals, 1);
    EXPECT_EQ(firstRun, "helloworld");
}

TEST(SocketAccept, AcceptOfAHandleOwnedByAnotherObjectFails)
{
    Pair p;
    CSocketMaster other;
    EXPECT_EQ(raised([&] { other.Accept(p.server().SocketHandle()); }).number(), 40006);
    EXPECT_EQ(raised([&] { p.server().Accept(1); }).number(), 40020);
}

TEST(SocketSend, SendThatCompletesAtOnceReportsProgressThenComplete)
{
    Pair p;
    std::vector<QString> events;
    QObject::connect(&p.client, &CSocketMaster::SendProgress, [&](qint32 sent, qint32 left) {
        events.push_back(QStringLiteral("progress %1 %2").arg(sent).arg(left));
    });
    QObject::connect(&p.client, &CSocketMaster::SendComplete,
                     [&] { events.push_back(QStringLiteral("complete")); });
    p.client.SendData(QString()); // empty text: nothing, no event
    p.client.SendData(QByteArray());
    EXPECT_TRUE(events.empty());
    p.client.SendData(QStringLiteral("hello"));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "progress 5 0");
    EXPECT_EQ(events[1], "complete");
    ASSERT_TRUE(waitUntil([&] { return p.server().BytesReceived() == 5; }));
}

TEST(SocketSend, PartialSendsKeepCallOrderAndFinishOnWritable)
{
    Pair p;
    p.server().setRecvBufferLimit(64 * 1024); // the reader falls behind on purpose
    QByteArray first(4 * 1024 * 1024, 'a');
    QByteArray second(64 * 1024, 'b');
    for (int i = 0; i < first.size(); i += 4096)
        first[i] = char('0' + (i / 4096) % 10);
    qint64 progressed = 0;
    bool partial = false;
    int completes = 0;
    QObject::connect(&p.client, &CSocketMaster::SendProgress, [&](qint32 sent, qint32 left) {
        progressed += sent;
        partial = partial || left > 0;
    });
    QObject::connect(&p.client, &CSocketMaster::SendComplete, [&] { ++completes; });
    p.client.SendData(first);
    EXPECT_TRUE(partial); // the system took only part of it
    EXPECT_GT(p.client.pendingSendBytes(), 0);
    const qint64 before = p.client.pendingSendBytes();
    p.client.SendData(second); // only appended
    EXPECT_EQ(p.client.pendingSendBytes(), before + second.size());

    QByteArray got;
    QObject::connect(&p.server(), &CSocketMaster::DataArrival, [&](qint32) {
        SocketData d{QByteArray()};
        p.server().GetData(d);
        got += d.as<QByteArray>();
    });
    ASSERT_TRUE(waitUntil([&] { return got.size() == first.size() + second.size(); }, 15000));
    EXPECT_TRUE(got == first + second);
    EXPECT_EQ(progressed, first.size() + second.size());
    EXPECT_EQ(completes, 1);
}

TEST(SocketReceive, GetAndPeekTextAndByteArrays)
{
    Pair p;
    p.client.SendData(QStringLiteral("Olá mundo"));
    ASSERT_TRUE(waitUntil([&] { return p.server().BytesReceived() == 9; }));
    SocketData peek{QString()};
    p.server().PeekData(peek);
    EXPECT_EQ(peek.as<QString>(), "Olá mundo");
    EXPECT_EQ(p.server().BytesReceived(), 9);
    SocketData part;
    p.server().GetData(part, int(VarType::String), 3);
    EXPECT_EQ(part.as<QString>(), "Olá");
    SocketData rest; // no kind, no varType: a byte array
    p.server().GetData(rest);
    ASSERT_TRUE(rest.holds<QByteArray>());
    EXPECT_EQ(rest.as<QByteArray>(), " mundo");
    EXPECT_EQ(p.server().BytesReceived(), 0);
    SocketData none{QString("x")};
    p.server().GetData(none, std::nullopt, 0);
    EXPECT_TRUE(none.as<QString>().isEmpty());
    EXPECT_EQ(raised([&] { p.server().GetData(none, std::nullopt, -1); }).number(), 40014);
}

TEST(SocketReceive, FixedSizeKindsRoundTripLittleEndian)
{
    Pair p;
    const SocketData values[] = {qint16(-2),       qint32(0x01020304), 1.5f, -2.25,
                                 Currency{123456}, DateValue{36526.5}, true, quint8(200)};
    int total = 0;
    for (const SocketData &v : values) {
        p.client.SendData(v);
        total += fixedSizeOf(v.type());
    }
    ASSERT_TRUE(waitUntil([&] { return p.server().BytesReceived() == total; }));
    SocketData raw;
    p.server().PeekData(raw, int(VarType::ByteArray), 6);
    EXPECT_EQ(raw.as<QByteArray>(), QByteArray("\xfe\xff\x04\x03\x02\x01", 6));
    for (const SocketData &v : values) {
        SCOPED_TRACE(int(v.type()));
        SocketData d;
        p.server().GetData(d, int(v.type()));
        EXPECT_EQ(d, v);
    }
    EXPECT_EQ(p.server().BytesReceived(), 0);
    SocketData d;
    EXPECT_EQ(raised([&] { p.server().GetData(d, 9); }).number(), 40018);
    EXPECT_EQ(raised([&] { p.client.SendData(UnsupportedValue{}); }).number(), 40018);
}

TEST(SocketReceive, LongWithThreeBytesBufferedLeavesDataAndBuffer)
{
    Pair p;
    p.client.SendData(QByteArray("abc"));
    ASSERT_TRUE(waitUntil([&] { return p.server().BytesReceived() == 3; }));
    SocketData d{qint32(77)};
    p.server().GetData(d);
    EXPECT_EQ(d.as<qint32>(), 77);
    EXPECT_EQ(p.server().BytesReceived(), 3);
}

TEST(SocketClose, PeerCloseRaisesCloseAndCloseSckResetsTheObject)
{
    Pair p;
    bool closed = false;
    QObject::connect(&p.server(), &CSocketMaster::CloseSckEvent, [&] { closed = true; });
    p.client.CloseSck();
    ASSERT_TRUE(waitUntil([&] { return closed; }));
    EXPECT_EQ(p.server().State(), CSocketMaster::sckClosing);
    p.server().CloseSck();
    EXPECT_EQ(p.server().State(), CSocketMaster::sckClosed);
    EXPECT_TRUE(p.server().RemoteHostIP().isEmpty());
    EXPECT_EQ(p.server().BytesReceived(), 0);
}

TEST(SocketSend, BacklogPastTheBoundFailsTheConnection)
{
    Pair p;
    p.server().setRecvBufferLimit(1); // never drains
    p.client.setSendBufferLimit(256 * 1024);
    int errors = 0;
    int number = 0;
    QObject::connect(&p.client, &CSocketMaster::Error, [&](SocketErrorEvent &e) {
        ++errors;
        number = e.Number;
    });
    const QByteArray block(128 * 1024, 'x');
    for (int i = 0; i < 200 && p.client.State() == CSocketMaster::sckConnected; ++i)
        p.client.SendData(block);
    ASSERT_TRUE(waitUntil([&] { return errors > 0; }));
    EXPECT_EQ(number, 10055);
    EXPECT_EQ(p.client.State(), CSocketMaster::sckError);
    EXPECT_EQ(p.client.pendingSendBytes(), 0);
}

TEST(SocketUdp, DatagramsArriveWholeAndTheNextOneIsNotDropped)
{
    CSocketMaster a, b;
    a.setProtocol(CSocketMaster::sckUDPProtocol);
    b.setProtocol(CSocketMaster::sckUDPProtocol);
    a.Bind(0, kLoopback);
    b.Bind(0, kLoopback);
    EXPECT_EQ(b.State(), CSocketMaster::sckOpen);
    QStringList got;
    QObject::connect(&b, &CSocketMaster::DataArrival, [&](qint32 size) {
        SocketData d{QString()};
        b.GetData(d);
        EXPECT_EQ(d.as<QString>().size(), size);
        got << d.as<QString>();
    });
    a.setRemoteHost(kLoopback);
    a.setRemotePort(b.LocalPort());
    a.SendData(QStringLiteral("one"));
    a.SendData(QStringLiteral("two"));
    ASSERT_TRUE(waitUntil([&] { return got.size() == 2; }));
    EXPECT_EQ(got, QStringList({"one", "two"}));
    EXPECT_EQ(b.RemoteHostIP(), kLoopback);
    EXPECT_EQ(b.RemotePort(), a.LocalPort());

    CSocketMaster c;
    c.setProtocol(CSocketMaster::sckUDPProtocol);
    const SocketError e = raised([&] { c.SendData(QStringLiteral("x")); });
    EXPECT_EQ(e.number(), 10047);
    EXPECT_EQ(e.source(), "CSocketMaster.SendBufferedDataUDP");
}

TEST(SocketStates, ListenerOnALoopbackHostNameBindsToAllAddresses)
{
    CSocketMaster s;
    EXPECT_FALSE(s.LocalHostName().isEmpty());
    const QString first = s.LocalIP(); // closed: the host name's first address
    ASSERT_FALSE(first.isEmpty());
    s.Listen(); // port 0, no address given
    const bool loopback = first.startsWith(QLatin1String("127."));
    // Debian maps the host name to 127.0.1.1: nobody else could reach us there.
    EXPECT_EQ(s.LocalIP(), loopback ? QStringLiteral("0.0.0.0") : first);
    EXPECT_NE(s.LocalPort(), 0);
    s.CloseSck();
    EXPECT_EQ(s.LocalPort(), 0);
}
