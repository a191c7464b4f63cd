// The headless chat host as a team would run it: the real vantrel-cli binary,
// a plain TCP client speaking the protocol, and an interrupt to end it.

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <csignal>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Reads from `socket` until `wanted` has arrived or five seconds pass.
QByteArray readUntil(QTcpSocket &socket, const QByteArray &wanted)
{
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (!got.contains(wanted) && clock.elapsed() < 5000) {
        if (socket.waitForReadyRead(100))
            got += socket.readAll();
    }
    return got;
}

// Connects to the host on `port` (retrying while it starts) and joins as
// `nick`; gives what arrived up to the host's announcement of the nick.
QByteArray join(QTcpSocket &client, quint16 port, const QByteArray &nick)
{
    QElapsedTimer clock;
    clock.start();
    do {
        client.abort();
        client.connectToHost(QHostAddress::LocalHost, port);
    } while (!client.waitForConnected(200) && clock.elapsed() < 5000);
    client.write("NICK " + nick);
    return readUntil(client, "NICK " + nick + "\r\n");
}

void expectEndsOnInterrupt(QProcess &host)
{
    ::kill(pid_t(host.processId()), SIGINT);
    ASSERT_TRUE(host.waitForFinished(5000));
    EXPECT_EQ(host.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(host.exitCode(), 0);
}

} // namespace

TEST(CliChatHost, PlainTcpClientJoinsTalksAndTheHostEndsOnInterrupt)
{
    const quint16 port = freePort();
    QProcess host;
    host.start(VANTREL_CLI_PATH, {"chat-host", "--nick", "Coach", "--port", QString::number(port)});
    ASSERT_TRUE(host.waitForStarted());

    QTcpSocket client;
    EXPECT_TRUE(join(client, port, "Ana").startsWith("NICK Coach\r\nNICK Ana\r\n"));
    client.write("Ana: smoke mid");
    client.waitForBytesWritten(1000);
    client.disconnectFromHost();

    QByteArray log;
    QElapsedTimer clock;
    clock.start();
    while (!log.contains("Disconnected") && clock.elapsed() < 5000) {
        host.waitForReadyRead(100);
        log += host.readAllStandardOutput();
    }
    EXPECT_TRUE(log.contains("127.0.0.1 Connected...")) << log.toStdString();
    EXPECT_TRUE(log.contains("Ana: smoke mid")) << log.toStdString();
    EXPECT_TRUE(log.contains(" :  Disconnected")) << log.toStdString();
    expectEndsOnInterrupt(host);
}

TEST(CliChatHost, KeepsHostingWhenItsLogOutputIsClosed)
{
    // `vantrel-cli chat-host | head -c1`: the log's reader goes after one byte.
    const quint16 port = freePort();
    QProcess host, head;
    host.setStandardOutputProcess(&head);
    head.start("head", {"-c1"});
    host.start(VANTREL_CLI_PATH, {"chat-host", "--port", QString::number(port)});
    ASSERT_TRUE(host.waitForStarted());

    QTcpSocket ana, bia;
    ASSERT_TRUE(join(ana, port, "Ana").contains("NICK Ana\r\n"));
    ASSERT_TRUE(head.waitForFinished(5000)); // the log has no reader from here on
    ASSERT_TRUE(join(bia, port, "Bia").contains("NICK Bia\r\n"));
    ana.write("Ana: still there?");
    ana.waitForBytesWritten(1000);
    EXPECT_TRUE(readUntil(bia, "Ana: still there?").contains("Ana: still there?"));
    EXPECT_EQ(host.state(), QProcess::Running);
    expectEndsOnInterrupt(host);
}
