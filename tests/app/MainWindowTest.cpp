// The main window's menus, palette and tools.
#include "ShellFixture.h"

#include "app/PlaybackControls.h"
#include "chatwindow/frmChat.h"
#include "editor/StratEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QTest>

#include <functional>

namespace vantrel::test {
namespace {

using MainWindow = ShellTest;

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

// The speed choice and the frame slider act on the active strat window and
// show its state; with no strat open they are off.
TEST_F(MainWindow, PlaybackControlsFollowTheActiveStrat)
{
    PlaybackControls *controls = frm->playbackControls();
    QComboBox *speed = controls->speedBox();
    QSlider *slider = controls->frameSlider();
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_EQ(speed->currentText(), QStringLiteral("1\u00d7"));

    ASSERT_EQ(frm->NovoMapa(), 1);
    frmMapa *first = frm->stratWindow(1);
    first->document().placeObject(0, 900, 900);
    first->document().addWayPoint(1, 4000, 900, 0, 20);
    QCoreApplication::processEvents(); // the range follows edits a moment later
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_EQ(slider->maximum(), first->playback().restingFrame());
    EXPECT_GT(slider->maximum(), 100);

    speed->activated(4);
    EXPECT_EQ(first->playback().speed(), 4.0);
    slider->setValue(100);
    EXPECT_EQ(first->playback().frame(), 100);
    EXPECT_TRUE(first->playback().isPaused());
    EXPECT_EQ(controls->frameLabel()->text(), QStringLiteral("100 / %1").arg(slider->maximum()));
    first->playback().step();
    EXPECT_EQ(slider->value(), 101);
    // The range is the strat's: a run past its last movement holds the slider
    // at the end instead of stretching it.
    const int last = slider->maximum();
    first->playback().seekTo(last + 50);
    first->playback().step();
    EXPECT_EQ(slider->maximum(), last);
    EXPECT_EQ(controls->frameLabel()->text(), QStringLiteral("%1 / %2").arg(last + 51).arg(last));

    ASSERT_EQ(frm->NovoMapa(), 2);
    EXPECT_EQ(controls->window(), frm->stratWindow(2));
    EXPECT_EQ(speed->currentText(), QStringLiteral("1\u00d7"));
    EXPECT_EQ(slider->maximum(), 0);

    frm->mdiArea()->setActiveSubWindow(frm->subWindowOf(first));
    EXPECT_EQ(speed->currentText(), QStringLiteral("4\u00d7"));
    EXPECT_EQ(slider->value(), last);
    first->picGO_Click();
    EXPECT_EQ(slider->value(), 0);

    frm->closeStrat(frm->stratWindow(2));
    ui.answer(MsgResult::No); // discard the edits
    frm->closeStrat(first);
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_EQ(speed->currentText(), QStringLiteral("1\u00d7"));
    ASSERT_EQ(frm->NovoMapa(), 1);
    EXPECT_EQ(speed->currentText(), QStringLiteral("1\u00d7")) << "a reused window starts anew";
    frm->closeStrat(first);
    EXPECT_EQ(controls->window(), nullptr);
}

// The strip follows a strat window however it becomes active, a reused one
// too: after a file that could not be opened, and after the only strat was
// closed with its X.
TEST_F(MainWindow, PlaybackControlsFollowAReusedStratWindow)
{
    PlaybackControls *controls = frm->playbackControls();
    const QString broken = home.file(QStringLiteral("broken.vtr"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a strat");
    }
    const QString good = writeStrat(QStringLiteral("good.vtr"), sampleStrat());
    const std::function<void()> reuses[] = {
        [&] {
            ui.answer(MsgResult::Ok);
            EXPECT_EQ(frm->OpenStratFile(broken), -1);
            EXPECT_EQ(frm->OpenStratFile(good), 1);
        },
        [&] {
            frm->closeStrat(frm->stratWindow(1));
            EXPECT_EQ(frm->NovoMapa(), 1);
        },
    };
    for (size_t n = 0; n < std::size(reuses); ++n) {
        SCOPED_TRACE(n);
        reuses[n]();
        EXPECT_EQ(controls->window(), frm->stratWindow(1));
        EXPECT_TRUE(controls->speedBox()->isEnabled());
        EXPECT_TRUE(controls->frameSlider()->isEnabled());
    }
}

// F2, F3 and F4 belong to the main window: they act on the active strat
// window wherever the focus is, and are off while no strat is open.
TEST_F(MainWindow, PlaybackKeysReachTheActiveStratWhateverHasTheFocus)
{
    frm->show();
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
    const char *names[] = {"playKeyAction", "pauseKeyAction", "wayPointKeyAction"};
    for (const char *name : names) {
        const auto *action = frm->findChild<QAction *>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_FALSE(action->isEnabled()) << name;
    }
    ASSERT_EQ(frm->NovoMapa(), 1);
    frmMapa *w = frm->stratWindow(1);
    w->document().placeObject(0, 900, 900);
    w->document().addWayPoint(1, 4000, 900, 0, 8);
    frm->playbackControls()->speedBox()->setFocusPolicy(Qt::StrongFocus);
    frm->playbackControls()->speedBox()->setFocus();

    const struct
    {
        Qt::Key key;
        Playback::State state;
    } presses[] = {{Qt::Key_F2, Playback::State::Running},
                   {Qt::Key_F3, Playback::State::Paused},
                   {Qt::Key_F2, Playback::State::Stopped}};
    for (const auto &press : presses) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frm.get(),
                        press.key);
        EXPECT_EQ(w->playback().state(), press.state) << press.key;
    }
    w->editor().selection() = {StratSelection::ObjectOrPoint, 1, 0, 0};
    QTest::keyClick(frm.get(), Qt::Key_F4);
    EXPECT_TRUE(w->bMovimento());

    ui.answer(MsgResult::No); // the changes are not kept
    frm->closeStrat(w);
    for (const char *name : names)
        EXPECT_FALSE(frm->findChild<QAction *>(QLatin1String(name))->isEnabled()) << name;
}

TEST_F(MainWindow, CopyAsImagePutsTheActiveStratOnTheClipboard)
{
    ASSERT_EQ(frm->NovoMapa(), 1);
    frm->stratWindow(1)->document().placeObject(0, 900, 900);
    QGuiApplication::clipboard()->clear();
    QAction *copy = frm->findChild<QAction *>(QStringLiteral("copyImageAction"));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              frm->stratWindow(1)->exportPicture());
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

// The palette and tool buttons arm the editor; what an armed tool does is the
// editor tests' business.
TEST_F(MainWindow, ToolsArmTheEditor)
{
    frm->onPaletteClicked(12);
    EXPECT_TRUE(ws().tools.PlacingMode());
    EXPECT_EQ(ws().tools.PaletteIndex(), 12);
    frm->onTextToolClicked();
    EXPECT_TRUE(ws().tools.TextMode());
    frm->onMoveWindowToolClicked();
    EXPECT_TRUE(ws().tools.MoveWindowMode());
    EXPECT_FALSE(ws().tools.PlacingMode());
}

TEST_F(MainWindow, SetStatusDrawsTheBarUpToItsPercentage)
{
    QLabel *bar = frm->picP();
    frm->SetStatus(bar, 40);
    const QImage img = bar->pixmap().toImage();
    EXPECT_EQ(QColor(img.pixel(39, 3)), QColor(Qt::black));
    EXPECT_NE(QColor(img.pixel(45, 3)), QColor(Qt::black));
    frm->SetStatus(bar, 0);
    EXPECT_NE(QColor(bar->pixmap().toImage().pixel(5, 3)), QColor(Qt::black));
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

// The main window and the chat window open wholly on the screen, however
// large the main window was left and wherever it stands.
TEST_F(MainWindow, WindowsOpenWhollyOnTheirScreen)
{
    const QRect area = frm->screen()->availableGeometry();
    frm->resize(area.size() + QSize(200, 200));
    frm->Form_Load(QString());
    EXPECT_TRUE(area.contains(frm->frameGeometry())) << "the main window";
    for (const QPoint corner : {area.topLeft(), area.bottomRight() - QPoint(100, 100)}) {
        frm->move(corner);
        frm->showChat();
        EXPECT_TRUE(area.contains(frm->chatWindow()->frameGeometry())) << "the chat window";
        frm->chatWindow()->hide(); // so that tear-down asks nothing
    }
}

} // namespace
} // namespace vantrel::test
