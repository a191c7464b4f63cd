// The board runs beside the chat host and leaves the chat's wire alone.

#include "board/BoardTestSupport.h"
#include "chat/ChatSession.h"
#include "chat/ChatTestSupport.h"

#include <QTcpServer>

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

// A port free together with the one above it.
quint16 freePair()
{
    for (;;) {
        QTcpServer a, b;
        if (a.listen(QHostAddress::LocalHost, 0)
            && b.listen(QHostAddress::LocalHost, quint16(a.serverPort() + 1)))
            return a.serverPort();
    }
}

} // namespace

TEST(BoardBesideChat, ThePlainChatWireCarriesNoBoardByte)
{
    const quint16 port = freePair();
    ChatSession chat;
    ASSERT_TRUE(chat.host("H", port, "127.0.0.1"));
    ASSERT_EQ(chat.boardListeningPort(), port + 1);

    RawPeer bob;
    ASSERT_TRUE(bob.joinAs(port, "bob"));
    Follower ana, cy;
    ASSERT_TRUE(ana.join(chat.boardListeningPort(), "Ana"));
    ASSERT_TRUE(cy.join(chat.boardListeningPort(), "Cy"));
    ana.client.shareStrat(stratBytes(5000), "Mid");
    ana.client.sendPing(QPoint(1, 2));
    ASSERT_TRUE(cy.hears("ping Ana 1 2"));
    bob.send("bob: hi");
    ASSERT_TRUE(waitUntil([&] { return chat.txtChat().endsWith("\r\nbob: hi"); }));
    chat.sendLine("yo");
    ASSERT_TRUE(bob.waitFor("H: yo"));
    EXPECT_EQ(bob.received, "NICK H\r\nNICK bob\r\nH: yo");
    EXPECT_EQ(cy.strat, stratBytes(5000));
    EXPECT_EQ(chat.nicks(), (QStringList{"H", "bob"}));
}

TEST(BoardBesideChat, ABusyBoardPortLeavesTheChatHostingAndSaysSo)
{
    QTcpServer busy;
    ASSERT_TRUE(busy.listen(QHostAddress::LocalHost, 0));
    ChatSession chat;
    chat.setBoardPort(busy.serverPort());
    ASSERT_TRUE(chat.host("H", 0, "127.0.0.1"));
    EXPECT_EQ(chat.boardListeningPort(), 0);
    EXPECT_TRUE(chat.txtChat().startsWith(
        QStringLiteral("\r\nThe team board could not listen on port %1").arg(busy.serverPort())));
    RawPeer bob;
    EXPECT_TRUE(bob.joinAs(chat.listeningPort(), "bob"));
}
