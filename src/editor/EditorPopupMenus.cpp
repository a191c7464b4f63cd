#include "editor/EditorPopupMenus.h"

#include "editor/Workspace.h"
#include "editor/frmLink.h"
#include "editor/frmMapa.h"
#include "uiservice/Ui.h"

#include <QAction>
#include <QMenu>

namespace vantrel {

namespace {

QAction *addItem(QMenu *menu, const char *name, const char *caption)
{
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

EditorPopupMenus::EditorPopupMenus(Workspace &workspace, QWidget *mainWindow)
    : QObject(mainWindow)
    , m_ws(workspace)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("EditorPopupMenus"));
    m_mnuPopup = new QMenu(QStringLiteral("Popup"), mainWindow);
    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    m_mnuMovimento = addItem(m_mnuPopup, "mnuMovimento", "Add &Movement");
    m_mnuCor = addItem(m_mnuPopup, "mnuCor", "&Line Color");
    m_mnuApagar = addItem(m_mnuPopup, "mnuApagar", "&Remove Object");
    m_mnuLink = addItem(m_mnuPopup, "mnuLink", "&Link");

    m_mnuPopup2 = new QMenu(QStringLiteral("Popup"), mainWindow);
    m_mnuPopup2->setObjectName(QStringLiteral("mnuPopup2"));
    m_mnuMovimento2 = addItem(m_mnuPopup2, "mnuMovimento2", "Add &Movement");
    m_mnuApagaMov = addItem(m_mnuPopup2, "mnuApagaMov", "&Remove Movement");
    m_mnuLink2 = addItem(m_mnuPopup2, "mnuLink2", "&Link");

    connect(m_mnuMovimento, &QAction::triggered, this, &EditorPopupMenus::addMovement);
    connect(m_mnuMovimento2, &QAction::triggered, this, &EditorPopupMenus::addMovement);
    connect(m_mnuCor, &QAction::triggered, this, &EditorPopupMenus::lineColor);
    connect(m_mnuApagar, &QAction::triggered, this, &EditorPopupMenus::removeObject);
    connect(m_mnuLink, &QAction::triggered, this, &EditorPopupMenus::link);
    connect(m_mnuLink2, &QAction::triggered, this, &EditorPopupMenus::link);
    connect(m_mnuApagaMov, &QAction::triggered, this, &EditorPopupMenus::removeMovement);

    m_ws.popupMenus = this;
}

EditorPopupMenus::~EditorPopupMenus()
{
    if (m_ws.popupMenus == this)
        m_ws.popupMenus = nullptr;
}

QString EditorPopupMenus::text(const char *id, const char *english) const
{
    return m_ws.language.text(QString::fromLatin1(id), QString::fromUtf8(english));
}

void EditorPopupMenus::popupObjectMenu(bool forText, const QPoint &globalPos)
{
    m_mnuMovimento->setVisible(!forText);
    m_mnuCor->setVisible(!forText);
    m_mnuLink->setVisible(!forText);
    if (m_showMenus)
        m_mnuPopup->popup(globalPos);
}

void EditorPopupMenus::popupPointMenu(const QPoint &globalPos)
{
    if (m_showMenus)
        m_mnuPopup2->popup(globalPos);
}

void EditorPopupMenus::addMovement()
{
    frmMapa *window = m_ws.stratWindow ? m_ws.stratWindow(m_ws.tools.SelectionWindow) : nullptr;
    if (!window)
        return;
    window->armWayPoint();
}

void EditorPopupMenus::lineColor()
{
    if (frmMapa *window = m_ws.activeStratWindow ? m_ws.activeStratWindow() : nullptr)
        window->MudaCor();
}

void EditorPopupMenus::removeObject()
{
    frmMapa *window = m_ws.activeStratWindow ? m_ws.activeStratWindow() : nullptr;
    const EditorTools &tools = m_ws.tools;
    if (tools.SelectionKind == 1) {
        const MsgResult answer = m_ws.ui.messageBox(
            m_mainWindow, text("s0017", "Are you sure you want do remove this object?"),
            text("s0018", "Remove Object"), MsgButtons::YesNo, MsgIcon::Question);
        if (answer != MsgResult::No && window) {
            // The object, its path and its link go in one undo step.
            window->document().beginMacro(text("s0018", "Remove Object"));
            window->ApagaObjeto(tools.SelectionItem);
            window->ApagaLink();
            window->document().endMacro();
        }
    } else if (tools.SelectionKind == 2) {
        const MsgResult answer = m_ws.ui.messageBox(
            m_mainWindow, text("s0019", "Are you sure you want to remove this text?"),
            text("s0020", "Remove Text"), MsgButtons::YesNo, MsgIcon::Question);
        if (answer != MsgResult::No && window)
            window->ApagaTexto(tools.SelectionMovement);
    }
}

void EditorPopupMenus::link()
{
    frmLink dialog(m_ws.ui, m_mainWindow);
    m_ws.language.translate(&dialog);
    if (frmMapa *window = m_ws.activeStratWindow ? m_ws.activeStratWindow() : nullptr)
        window->ProcuraLink(dialog);
    if (m_ws.ui.runModal(dialog) != QDialog::Accepted)
        return;
    // OK stores into the window of the last right-click.
    frmMapa *window = m_ws.stratWindow ? m_ws.stratWindow(m_ws.tools.SelectionWindow) : nullptr;
    if (!window)
        return;
    if (dialog.EditLinkIndex() != 0)
        window->EditaLink(dialog.EditLinkIndex(), dialog.LinkText());
    else
        window->AdicionaLink(dialog.LinkText());
}

void EditorPopupMenus::removeMovement()
{
    const MsgResult answer = m_ws.ui.messageBox(
        m_mainWindow, text("s0015", "Are you sure you want to remove this movement?"),
        text("s0016", "Remove Movement"), MsgButtons::YesNo, MsgIcon::Question);
    if (answer == MsgResult::No)
        return;
    if (frmMapa *window = m_ws.activeStratWindow ? m_ws.activeStratWindow() : nullptr) {
        window->document().beginMacro(text("s0016", "Remove Movement"));
        window->ApagaMovimento(m_ws.tools.SelectionPoint, m_ws.tools.SelectionMovement);
        window->ApagaLink();
        window->document().endMacro();
    }
}

} // namespace vantrel
