// The eleven strat window slots: handing one out (NovoMapa), opening a strat
// file into it, closing and renaming a strat window, the lookups the
// workspace hands to the strat windows, and the hand-over poll (Comando).
#include "app/ShellMessages.h"
#include "app/TeamBoard.h"
#include "app/frmPrincipal.h"
#include "appcore/CommandLine.h"
#include "editor/SharedCopy.h"
#include "editor/frmMapa.h"
#include "uiservice/Ui.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vantrel {

namespace {

// The strat window shown in `sub` when it holds an open strat, or null.
frmMapa *openStratIn(const QMdiSubWindow *sub)
{
    auto *w = qobject_cast<frmMapa *>(sub->widget());
    return w && w->iMI != 0 ? w : nullptr;
}

} // namespace

int frmPrincipal::NovoMapa()
{
    // The lowest closed slot is reused; eleven strats at once is the limit.
    int slot = 1;
    while (slot <= kMaxStrats && m_windows[size_t(slot)] && m_windows[size_t(slot)]->iMI != 0)
        ++slot;
    if (slot > kMaxStrats)
        return -1;

    frmMapa *w = m_windows[size_t(slot)];
    if (!w) {
        w = new frmMapa(m_ws);
        connect(w, &frmMapa::closeRequested, this, &frmPrincipal::closeStrat);
        connect(w, &frmMapa::renameRequested, this, &frmPrincipal::renameStrat);
        followUndo(w);
        m_windows[size_t(slot)] = w;

        auto *sub = new QMdiSubWindow(m_mdi, Qt::FramelessWindowHint);
        sub->setObjectName(QStringLiteral("stratSubWindow%1").arg(slot));
        sub->setWidget(w);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setContentsMargins(0, 0, 0, 0);
        sub->setFixedSize(frmMapa::kWidthPixels, frmMapa::kHeightPixels);
        m_mdi->addSubWindow(sub);
        // Each new strat window is placed a little below and right of the last.
        const int step = (slot - 1) % 8;
        sub->move(step * 24, step * 24);
    }
    w->iMI = int16_t(slot);
    w->sArquivo.clear();
    // A new strat is named after its slot and starts unmodified.
    w->document().start(text("s0008", "Strat") + QString::number(slot), OverviewName());
    showStrat(w);
    return slot;
}

void frmPrincipal::showStrat(frmMapa *window)
{
    if (QMdiSubWindow *sub = subWindowOf(window)) {
        sub->show();
        m_mdi->setActiveSubWindow(sub);
    }
    m_lastActive = window;
    // A reused window may already be the frame's current one, which then
    // reports no activation: the strip follows it all the same.
    followActive();
}

int frmPrincipal::OpenStratFile(const QString &sPath)
{
    const QString path = CommandLine::cleanPath(sPath);
    const int slot = NovoMapa();
    if (slot == -1) {
        ShellMessages::tooManyStrats(m_ws, this);
        return -1;
    }
    frmMapa *w = m_windows[size_t(slot)];
    const FileResult result = w->AbreTatica(path);
    if (!result) {
        // The window handed out for the file goes back to its slot.
        closeStrat(w);
        const QString reason = result.message.isEmpty() ? path : result.message;
        ShellMessages::critical(m_ws.ui, this,
                                text("s0045", "The strat could not be opened.") + QLatin1Char('\n')
                                    + reason);
        return -1;
    }
    if (!result.message.isEmpty())
        ShellMessages::openNotice(m_ws, this, path, result.message);
    return slot;
}

frmMapa *frmPrincipal::stratWindow(int iMI) const
{
    if (iMI < 1 || iMI > kMaxStrats)
        return nullptr;
    frmMapa *w = m_windows[size_t(iMI)];
    return w && w->iMI == iMI ? w : nullptr;
}

frmMapa *frmPrincipal::activeStratWindow() const
{
    if (QMdiSubWindow *sub = m_mdi->currentSubWindow())
        if (frmMapa *w = openStratIn(sub))
            return w;
    // Without focus (another program in front) the frame may report no
    // current child; the last activated open one still counts.
    if (m_lastActive && m_lastActive->iMI != 0)
        return m_lastActive;
    return nullptr;
}

QMdiSubWindow *frmPrincipal::subWindowOf(const frmMapa *window) const
{
    return window ? qobject_cast<QMdiSubWindow *>(window->parentWidget()) : nullptr;
}

int frmPrincipal::openStratCount() const
{
    int n = 0;
    for (int slot = 1; slot <= kMaxStrats; ++slot)
        n += stratWindow(slot) ? 1 : 0;
    return n;
}

bool frmPrincipal::mayDiscard(frmMapa *window)
{
    if (!window->document().isModified())
        return true;
    showStrat(window);
    const MsgResult answer = m_ws.ui.messageBox(
        this,
        text("s0050", "The strat \"%1\" has changes that are not saved. Save them?")
            .arg(window->document().title()),
        {}, MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    if (answer == MsgResult::No)
        return true;
    // A save that was cancelled or failed keeps the strat open.
    return answer == MsgResult::Yes && saveWindow(window, false);
}

bool frmPrincipal::closeStrat(frmMapa *window)
{
    if (!window || window->iMI == 0)
        return true;
    if (!mayDiscard(window))
        return false;
    if (window == m_board->sharedWindow())
        m_board->stopSharing();
    window->discardStrat();
    window->iMI = 0;
    if (QMdiSubWindow *sub = subWindowOf(window))
        sub->hide();
    if (m_lastActive == window)
        m_lastActive = nullptr;
    updateEditActions();
    // Hand the focus to the most recently active strat window still open.
    const auto list = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (frmMapa *w = openStratIn(*it)) {
            m_mdi->setActiveSubWindow(*it);
            m_lastActive = w;
            break;
        }
    }
    followActive();
    return true;
}

void frmPrincipal::renameStrat(frmMapa *window)
{
    if (!window || window->iMI == 0 || window->sharing().isShared())
        return;
    const QString answer = m_ws.ui.inputBox(this, text("s0007", "Enter the strat title:"),
                                            text("s0008", "Strat"), window->document().title());
    if (answer.isEmpty())
        return;
    // One undo step; the label and the window title follow the document.
    window->document().rename(StratTitle::fit(answer));
}

void frmPrincipal::pollHandOver()
{
    const QString path = m_settings.handOverPath();
    if (path.isEmpty())
        return;
    // Emptied before opening: a message box shown by the open runs its own
    // event loop, and the next poll must not see the same path again.
    m_settings.setHandOverPath(QString());
    OpenStratFile(path);
}

} // namespace vantrel
