// The menu bar (Strat, Edit, View, Options, Windows, Chat, Help) and the commands behind
// it: new, open, save, save as, the options dialog, the window list and the
// chat window.
#include "app/ShellMessages.h"
#include "app/frmNovo.h"
#include "app/frmOptions.h"
#include "app/frmPrincipal.h"
#include "chatwindow/frmChat.h"
#include "editor/SharedCopy.h"
#include "editor/frmMapa.h"
#include "uiservice/ScreenFit.h"
#include "uiservice/Ui.h"
#include "uiservice/clsDialog.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace vantrel {

namespace {

// A drop-down menu on the bar; the menu and its bar entry share the name.
QMenu *topMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

// A command straight on the bar, without a drop-down.
QAction *topAction(QMenuBar *bar, const char *name, const QString &caption)
{
    QAction *a = bar->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

QAction *action(QMenu *menu, const char *name, const QString &caption,
                const QKeySequence &shortcut = {})
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

void separator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

void frmPrincipal::buildMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *mnuTatica = topMenu(bar, "mnuTatica", QStringLiteral("&Strat"));
    connect(
        action(mnuTatica, "mnuNovo", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
        &QAction::triggered, this, &frmPrincipal::newStrat);
    connect(
        action(mnuTatica, "mnuAbrir", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O)),
        &QAction::triggered, this, &frmPrincipal::openStrat);
    separator(mnuTatica, "sep01");
    connect(
        action(mnuTatica, "mnuSalvar", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S)),
        &QAction::triggered, this, &frmPrincipal::saveStrat);
    connect(action(mnuTatica, "mnuSalvarComo", QStringLiteral("Save &As..."),
                   QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, this, &frmPrincipal::saveStratAs);
    separator(mnuTatica, "sep02");
    connect(action(mnuTatica, "mnuExportar", QStringLiteral("&Export as Image"),
                   QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &frmPrincipal::exportImage);
    connect(action(mnuTatica, "copyImageAction", QStringLiteral("Copy as &Image"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, &frmPrincipal::copyImage);
    action(mnuTatica, "mnuVideo", QStringLiteral("Export as &Video"));
    separator(mnuTatica, "sepBoard");
    buildBoardMenu(mnuTatica);
    separator(mnuTatica, "sep03");
    // Ends the program once every modified strat was saved or discarded.
    connect(action(mnuTatica, "mnuSair", QStringLiteral("E&xit")), &QAction::triggered, this,
            [this] {
                if (close())
                    QCoreApplication::exit(0);
            });

    buildEditMenu(topMenu(bar, "editMenu", QStringLiteral("&Edit")));
    buildViewMenu(topMenu(bar, "viewMenu", QStringLiteral("&View")));

    connect(topAction(bar, "mnuOptions", QStringLiteral("&Options")), &QAction::triggered, this,
            &frmPrincipal::showOptions);

    m_mnuJanelas = topMenu(bar, "mnuJanelas", QStringLiteral("&Windows"));
    connect(m_mnuJanelas, &QMenu::aboutToShow, this, &frmPrincipal::fillWindowsMenu);

    connect(topAction(bar, "mnuChat", QStringLiteral("&Chat")), &QAction::triggered, this,
            &frmPrincipal::showChat);

    QMenu *mnuAjuda = topMenu(bar, "mnuAjuda", QStringLiteral("&Help"));
    connect(action(mnuAjuda, "mnuDica", QStringLiteral("&Tip of the Day")), &QAction::triggered,
            this, &frmPrincipal::showTips);
    connect(action(mnuAjuda, "mnuSobre", QStringLiteral("&About Vantrel...")), &QAction::triggered,
            this, &frmPrincipal::showAbout);

    updateStratActions();
}

void frmPrincipal::updateStratActions()
{
    // The commands that act on the active strat window are off without one;
    // Export as Video also while its recording panel is shown.
    const bool open = activeStratWindow() != nullptr;
    for (const char *name : {"mnuSalvar", "mnuSalvarComo", "mnuExportar", "copyImageAction"})
        findChild<QAction *>(QLatin1String(name))->setEnabled(open);
    findChild<QAction *>(QStringLiteral("mnuVideo"))
        ->setEnabled(open && (!m_picREC || m_picREC->isHidden()));
    updateBoardActions();
}

void frmPrincipal::fillWindowsMenu()
{
    m_mnuJanelas->clear();
    const frmMapa *active = activeStratWindow();
    int n = 0;
    for (int slot = 1; slot <= kMaxStrats; ++slot) {
        frmMapa *w = stratWindow(slot);
        if (!w)
            continue;
        ++n;
        const QString caption = w->windowTitle();
        QAction *a = m_mnuJanelas->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(caption)
                                                    : caption);
        a->setCheckable(true);
        a->setChecked(w == active);
        QPointer<frmMapa> target = w;
        connect(a, &QAction::triggered, this, [this, target] {
            if (QMdiSubWindow *sub = target ? subWindowOf(target) : nullptr)
                m_mdi->setActiveSubWindow(sub);
        });
    }
}

void frmPrincipal::newStrat()
{
    // With every slot taken the limit is said before an overview is chosen.
    if (openStratCount() >= kMaxStrats) {
        ShellMessages::tooManyStrats(m_ws, this);
        return;
    }
    if (m_frmNovo) {
        m_frmNovo->raise();
        m_frmNovo->activateWindow();
        return;
    }
    m_frmNovo = new frmNovo(
        m_ws, [this] { return NovoMapa(); }, this);
    m_frmNovo->setAttribute(Qt::WA_DeleteOnClose);
    m_frmNovo->show();
}

void frmPrincipal::openStrat()
{
    const QString filter = text("s0008", "Strat") + QStringLiteral(" (*.vtr)|*.vtr|");
    const QString path
        = clsDialog(m_ws.ui).OpenDialog(this, filter, text("s0021", "Open Strat"), FileKind::Strat);
    if (!path.isEmpty())
        OpenStratFile(path);
}

void frmPrincipal::saveActive(bool bComo)
{
    if (frmMapa *w = activeStratWindow())
        saveWindow(w, bComo);
}

bool frmPrincipal::saveWindow(frmMapa *w, bool bComo)
{
    const QString before = w->sArquivo;
    // A shared copy is only ever saved as a copy.
    const FileResult result
        = w->sharing().isShared() ? w->sharing().saveCopy() : w->SalvaTatica(bComo);
    if (result)
        return !w->document().isModified(); // false when the dialog was cancelled
    // A failed save keeps the path the strat had and says why.
    w->sArquivo = before;
    ShellMessages::critical(m_ws.ui, this,
                            text("s0046", "The strat could not be saved.") + QLatin1Char('\n')
                                + result.message);
    return false;
}

void frmPrincipal::exportImage()
{
    // Nothing happens without an active strat window.
    if (frmMapa *w = activeStratWindow())
        w->Exporta();
}

void frmPrincipal::copyImage()
{
    if (frmMapa *w = activeStratWindow())
        QGuiApplication::clipboard()->setImage(w->exportPicture());
}

void frmPrincipal::saveStrat()
{
    saveActive(false);
}

void frmPrincipal::saveStratAs()
{
    saveActive(true);
}

void frmPrincipal::showOptions()
{
    frmOptions dialog(m_ws, m_settings, this);
    m_ws.ui.runModal(dialog);
}

frmChat *frmPrincipal::chatWindow() const
{
    return m_chat;
}

void frmPrincipal::showChat()
{
    // One chat window for the program's life; it keeps its state while hidden.
    if (!m_chat) {
        m_chat = new frmChat(m_ws.ui, m_ws.language, this);
        followChat();
    }
    if (!m_chat->isVisible())
        keepOnScreen(m_chat, this);
    m_chat->show();
    m_chat->raise();
    m_chat->activateWindow();
}

} // namespace vantrel
