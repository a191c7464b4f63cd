// The team board's commands against the real headless host.

#include "strat/StratFile.h"
#include <QTemporaryDir>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <csignal>

using namespace vantrel;

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

int run(QProcess &p, const QStringList &args)
{
    p.start(QStringLiteral(VANTREL_CLI_PATH), args);
    p.waitForFinished(30000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

TEST(CliBoard, FetchWaitsForAShareAndWritesItByteForByte)
{
    const QTemporaryDir dir;
    const QString shared = dir.filePath("shared.vtr");
    Strat s;
    s.Title = QStringLiteral("Ação rápida");
    s.Objects.append({3, 150, 225});
    ASSERT_TRUE(StratFile::write(shared, s));

    const QString boardPort = QString::number(freePort());
    QProcess host;
    host.start(QStringLiteral(VANTREL_CLI_PATH),
               {"chat-host", "--port", QString::number(freePort()), "--board-port", boardPort});
    ASSERT_TRUE(host.waitForStarted());
    QTcpSocket probe;
    QElapsedTimer clock;
    clock.start();
    do {
        probe.abort();
        probe.connectToHost(QHostAddress::LocalHost, boardPort.toUShort());
    } while (!probe.waitForConnected(200) && clock.elapsed() < 5000);
    probe.abort();

    QProcess early, nothing, bad;
    EXPECT_EQ(run(nothing, {"board", "fetch", "127.0.0.1", dir.filePath("none.vtr"), "--port",
                            boardPort, "--timeout", "0"}),
              1);
    EXPECT_TRUE(nothing.readAllStandardError().contains("no strat was shared"));
    early.start(QStringLiteral(VANTREL_CLI_PATH),
                {"board", "fetch", "127.0.0.1", dir.filePath("early.vtr"), "--port", boardPort});
    ASSERT_TRUE(early.waitForStarted());

    QProcess sharer, late;
    EXPECT_EQ(run(sharer, {"board", "share", "127.0.0.1", shared, "--port", boardPort}), 0)
        << sharer.readAllStandardError().toStdString();
    EXPECT_EQ(
        run(late, {"board", "fetch", "127.0.0.1", dir.filePath("late.vtr"), "--port", boardPort}),
        0);
    ASSERT_TRUE(early.waitForFinished(10000));
    EXPECT_EQ(early.exitCode(), 0);
    QFile original(shared);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    for (const char *name : {"early.vtr", "late.vtr"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(f.readAll(), bytes) << name;
    }
    EXPECT_EQ(run(bad, {"board", "share", "127.0.0.1"}), 2);

    ::kill(pid_t(host.processId()), SIGINT);
    ASSERT_TRUE(host.waitForFinished(5000));
    const QByteArray log = host.readAllStandardOutput();
    EXPECT_TRUE(log.contains("shares \"Ação rápida\" (")) << log.toStdString();
}
