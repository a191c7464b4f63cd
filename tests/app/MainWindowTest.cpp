// The main window's layout, menus, names and tools.
#include "ShellFixture.h"

#include "chatwindow/frmChat.h"

#include "strat/PaletteIcons.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

namespace vantrel::test {
namespace {

using MainWindow = ShellTest;

QAction *action(QWidget *w, const char *name)
{
    return w->findChild<QAction *>(QLatin1String(name));
}

TEST_F(MainWindow, MenuTreeHasItsCaptionsShortcutsAndNames)
{
    struct Item
    {
        const char *name;
        const char *caption;
        QKeySequence shortcut;
    };
    const Item items[] = {
        {"mnuTatica", "&Strat", {}},
        {"mnuNovo", "&New", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"mnuAbrir", "&Open", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"mnuSalvar", "&Save", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"mnuSalvarComo", "Save &As...", QKeySequence(QStringLiteral("Ctrl+A"))},
        {"mnuExportar", "&Export as Image", QKeySequence(QStringLiteral("Ctrl+E"))},
        {"mnuVideo", "Export as &Video", {}},
        {"mnuSair", "E&xit", {}},
        {"editMenu", "&Edit", {}},
        {"undoAction", "&Undo", QKeySequence(QStringLiteral("Ctrl+Z"))},
        {"redoAction", "&Redo", QKeySequence(QStringLiteral("Ctrl+Y"))},
        {"mnuOptions", "&Options", {}},
        {"mnuJanelas", "&Windows", {}},
        {"mnuChat", "&Chat", {}},
        {"mnuAjuda", "&Help", {}},
        {"mnuDica", "&Tip of the Day", {}},
        {"mnuSobre", "&About Vantrel...", {}},
    };
    for (const Item &item : items) {
        QAction *a = action(frm.get(), item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(item.caption)) << item.name;
        EXPECT_EQ(a->shortcut(), item.shortcut) << item.name;
    }
    // The top level, in order.
    QStringList top;
    for (QAction *a : frm->menuBar()->actions())
        top << a->objectName();
    EXPECT_EQ(top.join(' '), "mnuTatica editMenu mnuOptions mnuJanelas mnuChat mnuAjuda");
    EXPECT_EQ(frm->redoAction()->shortcuts().value(1),
              QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
}

// Undo and Redo act on the active strat window and name its next step; they
// are off while that strat plays.
TEST_F(MainWindow, EditMenuUndoesAndRedoesTheActiveStrat)
{
    QAction *undo = frm->undoAction();
    QAction *redo = frm->redoAction();
    EXPECT_FALSE(undo->isEnabled());
    ASSERT_EQ(frm->NovoMapa(), 1);
    frmMapa *first = frm->stratWindow(1);
    first->document().placeObject(0, 900, 900);
    first->document().moveObject(1, 1200, 900);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo Move Object");

    ASSERT_EQ(frm->NovoMapa(), 2);
    frmMapa *second = frm->stratWindow(2);
    EXPECT_EQ(frm->activeStratWindow(), second);
    EXPECT_FALSE(undo->isEnabled()) << "the new strat has nothing to undo";
    EXPECT_EQ(undo->text(), "&Undo");

    frm->mdiArea()->setActiveSubWindow(frm->subWindowOf(first));
    undo->trigger();
    EXPECT_EQ(first->strat().Objects[1].Left, 900);
    EXPECT_EQ(undo->text(), "&Undo Place Object");
    EXPECT_EQ(redo->text(), "&Redo Move Object");
    redo->trigger();
    EXPECT_EQ(first->strat().Objects[1].Left, 1200);

    first->document().setUndoSuspended(true);
    EXPECT_FALSE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(first->strat().Objects[1].Left, 1200);
    first->document().setUndoSuspended(false);
    EXPECT_TRUE(undo->isEnabled());
}

TEST_F(MainWindow, WindowsMenuListsTheOpenStrats)
{
    frm->NovoMapa();
    frm->NovoMapa();
    frm->NovoMapa();
    frm->stratWindow(1)->setWindowTitle(QStringLiteral("Strat1"));
    frm->stratWindow(3)->setWindowTitle(QStringLiteral("Rush B"));
    frm->closeStrat(frm->stratWindow(2));
    auto *menu = frm->findChild<QMenu *>(QStringLiteral("mnuJanelas"));
    ASSERT_NE(menu, nullptr);
    Q_EMIT menu->aboutToShow();
    QStringList texts;
    for (QAction *a : menu->actions())
        texts << a->text();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("&1 Strat1"), QStringLiteral("&2 Rush B")}));
    menu->actions().front()->trigger();
    EXPECT_EQ(frm->mdiArea()->currentSubWindow(), frm->subWindowOf(frm->stratWindow(1)));
}

TEST_F(MainWindow, PaletteBoxesShowTheirIconsInOrder)
{
    QList<QLabel *> boxes = frm->findChildren<QLabel *>(QStringLiteral("picObj"));
    ASSERT_EQ(boxes.size(), 13);
    for (QLabel *box : boxes) {
        const int i = box->property("index").toInt();
        const QImage shown = box->pixmap().toImage();
        EXPECT_EQ(shown, PaletteIcons::image(i).convertToFormat(shown.format())) << i;
        EXPECT_EQ(box->size(), shown.size()) << i;
    }
}

TEST_F(MainWindow, ToolsArmTheEditorAndShowTheSelection)
{
    frm->onPaletteClicked(12);
    EXPECT_TRUE(ws().tools.PlacingMode());
    EXPECT_EQ(ws().tools.PaletteIndex(), 12);
    EXPECT_EQ(frm->picImg()->pixmap().size(), QSize(10, 14));

    frm->onTextToolClicked();
    EXPECT_TRUE(ws().tools.PlacingMode());
    EXPECT_TRUE(ws().tools.TextMode());
    EXPECT_TRUE(frm->picImg()->pixmap().isNull());

    frm->onMoveWindowToolClicked();
    EXPECT_TRUE(ws().tools.MoveWindowMode());
    EXPECT_FALSE(ws().tools.PlacingMode());
    EXPECT_FALSE(ws().tools.TextMode());

    ws().setSelectedPreview(ws().palette[2]);
    EXPECT_EQ(frm->picImg()->pixmap().size(), QSize(12, 12));
    ws().setSelectedPreview(QPixmap());
    EXPECT_TRUE(frm->picImg()->pixmap().isNull());
}

TEST_F(MainWindow, RecordingPanelIsHiddenAndSetStatusDrawsTheBar)
{
    EXPECT_FALSE(frm->picREC()->isVisibleTo(frm.get()));
    QLabel *bar = frm->picP();

    frm->SetStatus(bar, 40);
    EXPECT_EQ(bar->property("Tag").toInt(), 40);
    const QImage img = bar->pixmap().toImage();
    EXPECT_EQ(QColor(img.pixel(0, 3)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(39, 3)), QColor(Qt::black));
    EXPECT_NE(QColor(img.pixel(45, 3)), QColor(Qt::black));

    frm->SetStatus(bar, 100);
    EXPECT_EQ(QColor(bar->pixmap().toImage().pixel(96, 3)), QColor(Qt::black));
    frm->SetStatus(bar, 0);
    EXPECT_EQ(bar->property("Tag").toInt(), 0);
    EXPECT_NE(QColor(bar->pixmap().toImage().pixel(5, 3)), QColor(Qt::black));
}

TEST_F(MainWindow, DefaultSizeFitsAStratWindowBelowThePalette)
{
    frm->show();
    frm->NovoMapa();
    EXPECT_GE(frm->mdiArea()->viewport()->height(), 585);
    EXPECT_GE(frm->mdiArea()->viewport()->width(), 799);
}

TEST_F(MainWindow, ChatIsOneWindowShownFromTheMenuAndThePalette)
{
    EXPECT_EQ(frm->chatWindow(), nullptr);
    frm->showChat();
    QWidget *chat = frm->chatWindow();
    ASSERT_NE(chat, nullptr);
    EXPECT_TRUE(chat->isWindow());
    EXPECT_TRUE(chat->isVisible());
    EXPECT_FALSE(chat->isModal());
    chat->hide();
    frm->findChild<QAction *>(QStringLiteral("mnuChat"))->trigger();
    EXPECT_EQ(frm->chatWindow(), chat);
    EXPECT_TRUE(chat->isVisible());
    chat->hide(); // hidden again so that tear-down asks nothing
}

} // namespace
} // namespace vantrel::test
