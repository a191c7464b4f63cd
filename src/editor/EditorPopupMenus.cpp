#include "editor/EditorPopupMenus.h"

#include "editor/StratEditor.h"
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

void EditorPopupMenus::popupObjectMenu(frmMapa *window, bool forText, const QPoint &globalPos)
{
    m_window = window;
    m_mnuMovimento->setVisible(!forText);
    m_mnuCor->setVisible(!forText);
    m_mnuLink->setVisible(!forText);
    m_mnuPopup->popup(globalPos);
}

void EditorPopupMenus::popupPointMenu(frmMapa *window, const QPoint &globalPos)
{
    m_window = window;
    m_mnuPopup2->popup(globalPos);
}

void EditorPopupMenus::addMovement()
{
    if (m_window)
        m_ws.tools.armWayPoint(m_window->iMI);
}

void EditorPopupMenus::lineColor()
{
    if (m_window)
        m_window->editor().MudaCor();
}

void EditorPopupMenus::removeObject()
{
    if (!m_window)
        return;
    StratEditor &editor = m_window->editor();
    const StratSelection &selection = editor.selection();
    if (selection.Kind == StratSelection::ObjectOrPoint) {
        const MsgResult answer = m_ws.ui.messageBox(
            m_mainWindow, text("s0017", "Are you sure you want do remove this object?"),
            text("s0018", "Remove Object"), MsgButtons::YesNo, MsgIcon::Question);
        if (answer != MsgResult::No && m_window) {
            // The object, its path and its link go in one undo step.
            m_window->document().beginMacro(text("s0018", "Remove Object"));
            editor.ApagaObjeto(selection.Item);
            editor.ApagaLink();
            m_window->document().endMacro();
        }
    } else if (selection.Kind == StratSelection::Text) {
        const MsgResult answer = m_ws.ui.messageBox(
            m_mainWindow, text("s0019", "Are you sure you want to remove this text?"),
            text("s0020", "Remove Text"), MsgButtons::YesNo, MsgIcon::Question);
        if (answer != MsgResult::No && m_window)
            editor.ApagaTexto(selection.Movement);
    }
}

void EditorPopupMenus::link()
{
    if (!m_window)
        return;
    frmLink dialog(m_ws.ui, m_mainWindow);
    m_ws.language.translate(&dialog);
    m_window->editor().ProcuraLink(dialog);
    if (m_ws.ui.runModal(dialog) != QDialog::Accepted || !m_window)
        return;
    if (dialog.EditLinkIndex() != 0)
        m_window->editor().EditaLink(dialog.EditLinkIndex(), dialog.LinkText());
    else
        m_window->editor().AdicionaLink(dialog.LinkText());
}

void EditorPopupMenus::removeMovement()
{
    if (!m_window)
        return;
    const MsgResult answer = m_ws.ui.messageBox(
        m_mainWindow, text("s0015", "Are you sure you want to remove this movement?"),
        text("s0016", "Remove Movement"), MsgButtons::YesNo, MsgIcon::Question);
    if (answer == MsgResult::No || !m_window)
        return;
    StratEditor &editor = m_window->editor();
    m_window->document().beginMacro(text("s0016", "Remove Movement"));
    editor.ApagaMovimento(editor.selection().Point, editor.selection().Movement);
    editor.ApagaLink();
    m_window->document().endMacro();
}

} // namespace vantrel
