// The team board in the main window: the Strat menu's Share to Team, Stop
// Sharing, Save a Copy and Follow; the chat window's Host, Connect, Close and
// Share to Team; and the pings of the strat windows.
#include "app/ClickLabel.h"
#include "app/ShellMessages.h"
#include "app/TeamBoard.h"
#include "app/frmPrincipal.h"
#include "chatwindow/frmChat.h"
#include "editor/SharedCopy.h"
#include "editor/frmMapa.h"
#include "uiservice/Ui.h"

#include <QAction>
#include <QMenu>

namespace vantrel {

void frmPrincipal::ShellWorkspace::ping(frmMapa &window, const QPoint &twips)
{
    m_shell.m_board->ping(window, twips);
}

void frmPrincipal::buildBoardMenu(QMenu *menu)
{
    const auto add = [this, menu](const char *name, void (frmPrincipal::*slot)()) {
        QAction *a = menu->addAction(QString());
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
    };
    add("shareAction", &frmPrincipal::shareStrat);
    add("stopSharingAction", &frmPrincipal::stopSharing);
    add("followAction", &frmPrincipal::toggleFollowing);
    add("saveCopyAction", &frmPrincipal::saveCopy);

    connect(menu, &QMenu::aboutToShow, this, &frmPrincipal::updateBoardActions);
    BoardClient &client = m_board->client();
    connect(&client, &BoardClient::connected, this, &frmPrincipal::updateBoardActions);
    connect(&client, &BoardClient::disconnected, this, &frmPrincipal::updateBoardActions);
    connect(&client, &BoardClient::stratShared, this, &frmPrincipal::updateBoardActions);
}

void frmPrincipal::updateBoardActions()
{
    // The captions are set here, so a language chosen later reaches them.
    m_imgPing->setToolTip(
        text("s0106", "Ping: click a spot to show it to the team (or Alt+click)"));
    frmMapa *active = activeStratWindow();
    const bool copy = active && active->sharing().isShared();
    QAction *share = findChild<QAction *>(QStringLiteral("shareAction"));
    share->setText(text("s0104", "Share to Team"));
    share->setEnabled(active && !copy && m_board->isConnected());
    QAction *stop = findChild<QAction *>(QStringLiteral("stopSharingAction"));
    stop->setText(text("s0105", "Stop Sharing"));
    stop->setEnabled(m_board->sharedWindow() != nullptr);
    QAction *saveCopy = findChild<QAction *>(QStringLiteral("saveCopyAction"));
    saveCopy->setText(text("s0107", "Save a Copy..."));
    saveCopy->setEnabled(active != nullptr);
    QAction *follow = findChild<QAction *>(QStringLiteral("followAction"));
    follow->setEnabled(copy);
    const bool following = copy && active->sharing().follower()->isFollowing();
    follow->setText(following || !copy ? text("s0102", "Stop following") : text("s0101", "Follow"));
}

void frmPrincipal::followChat()
{
    connect(m_chat, &frmChat::chatEntered, m_board, &TeamBoard::join);
    connect(m_chat, &frmChat::chatLeft, m_board, &TeamBoard::leave);
    connect(m_chat, &frmChat::shareRequested, this, &frmPrincipal::shareStrat);
}

void frmPrincipal::shareStrat()
{
    frmMapa *active = activeStratWindow();
    if (!active || active->sharing().isShared())
        return;
    if (!m_board->share(active)) {
        m_ws.ui.messageBox(this,
                           text("s0108", "To share a strat, host or join a chat first (Chat, "
                                         "then Host or Connect)."),
                           {}, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    updateBoardActions();
}

void frmPrincipal::stopSharing()
{
    m_board->stopSharing();
    updateBoardActions();
}

void frmPrincipal::saveCopy()
{
    frmMapa *active = activeStratWindow();
    if (!active)
        return;
    const FileResult result = active->sharing().saveCopy();
    if (!result)
        ShellMessages::critical(m_ws.ui, this,
                                text("s0046", "The strat could not be saved.") + QLatin1Char('\n')
                                    + result.message);
}

void frmPrincipal::toggleFollowing()
{
    frmMapa *active = activeStratWindow();
    if (!active || !active->sharing().follower())
        return;
    active->sharing().follower()->setFollowing(!active->sharing().follower()->isFollowing());
    updateBoardActions();
}

} // namespace vantrel
