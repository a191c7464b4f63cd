#include "chat/ChatTestSupport.h"
#include "support/ScriptedUi.h"

#include "chatwindow/frmChat.h"
#include "i18n/LanguagePack.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <memory>

using namespace vantrel;
using namespace vantrel::test;

namespace {

QStringList listed(const frmChat &w)
{
    QStringList out;
    for (int i = 0; i < w.lstNicks->count(); ++i)
        out << w.lstNicks->item(i)->text();
    return out;
}

struct WindowFixture : ::testing::Test
{
    ScriptedUi ui;
    clsLanguagePack language;
    std::unique_ptr<frmChat> w;

    void SetUp() override
    {
        w = std::make_unique<frmChat>(ui, language);
        w->setChatPort(0, QStringLiteral("127.0.0.1"));
        w->show();
    }
    quint16 port() { return w->session().listeningPort(); }
    void pressEnter()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(w->txtTexto, &press);
    }
};

} // namespace

TEST_F(WindowFixture, OpensIdleAndEnterWhileIdleNeitherSendsNorLogs)
{
    EXPECT_TRUE(w->lblIP->text().isEmpty());
    EXPECT_TRUE(w->cmdAguardar->isEnabled());
    EXPECT_TRUE(w->cmdConectar->isEnabled());
    EXPECT_EQ(w->txtChat->focusPolicy(), Qt::NoFocus);
    w->txtTexto->setText("hello");
    pressEnter();
    EXPECT_EQ(w->txtTexto->text(), "hello");
    EXPECT_TRUE(w->session().txtChat().isEmpty());
    EXPECT_TRUE(ui.prompts().empty());
}

TEST_F(WindowFixture, CancellingTheNickPromptCancelsHostAndConnect)
{
    for (QPushButton *button : {w->cmdAguardar, w->cmdConectar}) {
        SCOPED_TRACE(button->objectName().toStdString());
        ui.clear();
        ui.answer(""); // Cancel
        button->click();
        EXPECT_EQ(ui.prompts().size(), 1u); // no address asked
        EXPECT_TRUE(w->cmdAguardar->isEnabled());
        EXPECT_TRUE(w->cmdConectar->isEnabled());
        EXPECT_FALSE(w->session().bConectado());
        EXPECT_EQ(port(), 0);
        EXPECT_EQ(w->session().Users()->Count(), 0);
        EXPECT_EQ(w->lstNicks->count(), 0);
    }
}

TEST_F(WindowFixture, HostOnABusyPortSaysWhyAndCanTryAgain)
{
    QTcpServer busy;
    ASSERT_TRUE(busy.listen(QHostAddress::LocalHost, 0));
    w->setChatPort(busy.serverPort(), QStringLiteral("127.0.0.1"));
    ui.answer("H");
    w->cmdAguardar_Click();
    EXPECT_EQ(w->txtChat->toPlainText(),
              QStringLiteral("\nCould not host the chat on port %1: Address already in use.")
                  .arg(busy.serverPort()));
    EXPECT_FALSE(w->session().bConectado());
    EXPECT_FALSE(w->session().bServer());
    EXPECT_TRUE(w->cmdAguardar->isEnabled());
    EXPECT_TRUE(w->cmdConectar->isEnabled());
    EXPECT_EQ(w->lstNicks->count(), 0);

    busy.close();
    ui.answer("H");
    w->cmdAguardar_Click();
    EXPECT_NE(port(), 0);
    EXPECT_FALSE(w->cmdAguardar->isEnabled());
    EXPECT_TRUE(waitUntil([&] { return listed(*w) == QStringList({"H"}); }));
}

TEST_F(WindowFixture, CancelledAddressChangesNothingButTheNick)
{
    ui.answer("me");
    ui.answer("");
    w->cmdConectar->click();
    ASSERT_EQ(ui.prompts().size(), 2u);
    EXPECT_EQ(w->session().sNick(), "me");
    EXPECT_TRUE(w->cmdAguardar->isEnabled());
    EXPECT_TRUE(w->cmdConectar->isEnabled());
    EXPECT_FALSE(w->session().bConectado());
    EXPECT_EQ(w->session().Users()->Count(), 0);
}

TEST_F(WindowFixture, PromptsComeFromTheLanguagePack)
{
    language.sCurrentFile = "pt.lpk";
    language.setStrings({{"s0001", "Apelido:"}, {"s0010", "Fechar o chat?"}});
    ui.answer("eu");
    ui.answer("");
    w->cmdConectar_Click();
    EXPECT_EQ(ui.prompts()[0].text, "Apelido:");
    EXPECT_EQ(ui.prompts()[1].text, "Enter the server IP:"); // no string: English
    ui.answer(MsgResult::No);
    w->close();
    EXPECT_EQ(ui.last().text, "Fechar o chat?");
}

TEST_F(WindowFixture, HostingTwoClientsAndClosingWithNoThenYes)
{
    ui.answer("Host");
    w->cmdAguardar_Click();
    ChatSession alice, bob;
    alice.connectTo("Alice", "127.0.0.1", port());
    ASSERT_TRUE(waitUntil([&] { return alice.lstNicks().size() == 2; }));
    bob.connectTo("Bob", "127.0.0.1", port());
    ASSERT_TRUE(waitUntil([&] { return listed(*w).size() == 3 && alice.lstNicks().size() == 3; }));
    EXPECT_EQ(listed(*w), QStringList({"Host", "Alice", "Bob"}));

    alice.sendLine("is anyone planning B site?");
    ASSERT_TRUE(waitUntil([&] { return bob.txtChat().endsWith("B site?"); }));
    w->txtTexto->setText("yes, smoke the entrance first");
    pressEnter();
    EXPECT_TRUE(w->txtTexto->text().isEmpty());
    ASSERT_TRUE(waitUntil([&] { return alice.txtChat().endsWith("first"); }));
    EXPECT_TRUE(bob.txtChat().endsWith("\r\nHost: yes, smoke the entrance first"));
    bob.sendLine("ok, I take the flash");
    ASSERT_TRUE(waitUntil([&] { return w->txtChat->toPlainText().endsWith("flash"); }));
    EXPECT_EQ(w->txtChat->toPlainText(),
              "\n127.0.0.1 Connected...\n127.0.0.1 Connected...\nAlice: is anyone planning B "
              "site?\nHost: yes, smoke the entrance first\nBob: ok, I take the flash");
    // The caret stays at the end of the log.
    EXPECT_EQ(w->txtChat->textCursor().position(), w->txtChat->toPlainText().size());

    ui.answer(MsgResult::No);
    w->cmdFechar_Click();
    EXPECT_EQ(ui.last().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->session().Users()->Count(), 2);
    alice.sendLine("still here");
    ASSERT_TRUE(waitUntil([&] { return bob.txtChat().endsWith("still here"); }));

    ui.answer(MsgResult::Yes);
    w->cmdFechar_Click();
    EXPECT_FALSE(w->isVisible());
    ASSERT_TRUE(waitUntil([&] { return alice.lstNicks().size() == 2; }));
    EXPECT_TRUE(alice.txtChat().endsWith(" :  Desconectado"));
    EXPECT_FALSE(alice.txtChat().contains("SAIU"));

    // Opened again: idle, empty list and log.
    w->show();
    EXPECT_TRUE(w->cmdAguardar->isEnabled());
    EXPECT_TRUE(w->cmdConectar->isEnabled());
    EXPECT_EQ(w->lstNicks->count(), 0);
    EXPECT_TRUE(w->txtChat->toPlainText().isEmpty());
    EXPECT_FALSE(w->session().bConectado());
    EXPECT_TRUE(w->session().sNick().isEmpty());
}

TEST_F(WindowFixture, ConnectingToAHostShowsItsListAndLosingItIsLogged)
{
    auto host = std::make_unique<ChatSession>();
    ASSERT_TRUE(host->host("H", 0, "127.0.0.1"));
    w->setChatPort(host->listeningPort());
    ui.answer("me");
    ui.answer("127.0.0.1");
    w->cmdConectar_Click();
    EXPECT_FALSE(w->cmdAguardar->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return w->lstNicks->count() == 2; }));
    EXPECT_EQ(listed(*w), QStringList({"H", "me"}));
    EXPECT_TRUE(w->txtChat->toPlainText().startsWith("\nConectado..."));
    host.reset();
    ASSERT_TRUE(waitUntil([&] { return w->lstNicks->count() == 1; }));
    EXPECT_EQ(listed(*w), QStringList({"me"}));
    EXPECT_TRUE(w->txtChat->toPlainText().endsWith("\n127.0.0.1 :  Desconectado"));
    EXPECT_FALSE(w->cmdAguardar->isEnabled()); // no way back to idle but closing
}

TEST_F(WindowFixture, GetIpShowsWaitingThenTheAddressWithoutFreezing)
{
    HttpEcho echo;
    echo.body = "198.51.100.23 is your address";
    qputenv("VANTREL_IP_ECHO_URL", echo.url().toUtf8());
    w->cmdIP->click();
    EXPECT_EQ(w->lblIP->text(), "Aguarde..."); // the click returned before the answer
    ASSERT_TRUE(waitUntil([&] { return w->lblIP->text() != "Aguarde..."; }));
    EXPECT_EQ(w->lblIP->text(), "198.51.100.23");

    echo.body = "";
    w->cmdIP_Click();
    ASSERT_TRUE(waitUntil([&] { return w->lblIP->text() != "Aguarde..."; }));
    EXPECT_EQ(w->lblIP->text(), "Not available");

    // Closed and opened again, the window knows no address, even when a
    // lookup was still running at the close.
    echo.body = "198.51.100.24";
    w->cmdIP_Click();
    ui.answer(MsgResult::Yes);
    w->close();
    w->show();
    EXPECT_TRUE(w->lblIP->text().isEmpty());
    settle(300);
    EXPECT_TRUE(w->lblIP->text().isEmpty());
    qunsetenv("VANTREL_IP_ECHO_URL");
}
