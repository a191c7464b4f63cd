// Strat window slots: NovoMapa, titles, rename and close.
#include "ShellFixture.h"

#include "editor/StratSurface.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vantrel::test {
namespace {

using StratSlots = ShellTest;

TEST_F(StratSlots, NewSlotsCountUpAndTheLowestClosedOneIsReusedEmpty)
{
    for (int expected = 1; expected <= 3; ++expected) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(frm->NovoMapa(), expected);
        frmMapa *w = frm->stratWindow(expected);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->iMI, expected);
        EXPECT_EQ(ws().stratWindow(expected), w);
        EXPECT_EQ(titleShown(w), QStringLiteral("Strat%1").arg(expected));
        EXPECT_FALSE(w->document().isModified());
    }
    EXPECT_EQ(ws().activeStratWindow(), frm->stratWindow(3));
    EXPECT_EQ(ws().stratWindow(0), nullptr);
    EXPECT_EQ(ws().stratWindow(12), nullptr);

    // Slot 2 held an opened strat; slots 3 and 2 are closed.
    frmMapa *second = frm->stratWindow(2);
    ASSERT_TRUE(second->AbreTatica(writeStrat(QStringLiteral("a.vtr"), sampleStrat())));
    frm->closeStrat(frm->stratWindow(3));
    frm->closeStrat(second);
    EXPECT_EQ(second->iMI, 0);
    EXPECT_EQ(frm->stratWindow(2), nullptr);
    EXPECT_EQ(ws().stratWindow(2), nullptr);
    EXPECT_FALSE(frm->subWindowOf(second)->isVisible());

    // A reused slot starts a new strat named after it (what the window empties
    // is the window test's business).
    EXPECT_EQ(frm->NovoMapa(), 2);
    EXPECT_EQ(frm->stratWindow(2), second);
    EXPECT_EQ(titleShown(second), QStringLiteral("Strat2"));
    EXPECT_EQ(second->strat().Title.trimmed(), QStringLiteral("Strat2"));
    EXPECT_TRUE(frm->subWindowOf(second)->isVisibleTo(frm.get()));
    EXPECT_EQ(frm->NovoMapa(), 3);
    EXPECT_EQ(frm->NovoMapa(), 4);
    EXPECT_TRUE(ui.prompts().empty());
}

TEST_F(StratSlots, ATwelfthStratIsRefusedWithTheCriticalMessage)
{
    for (int i = 1; i <= 11; ++i)
        ASSERT_EQ(frm->NovoMapa(), i);
    EXPECT_EQ(frm->NovoMapa(), -1);
    EXPECT_EQ(frm->openStratCount(), 11);

    // Through OpenStratFile the refusal is shown.
    ui.answer(MsgResult::Ok);
    EXPECT_EQ(frm->OpenStratFile(home.file(QStringLiteral("x.vtr"))), -1);
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().text, QStringLiteral("Too much strats open at the same time."));

    // Closing one frees a slot again.
    frm->closeStrat(frm->stratWindow(7));
    EXPECT_EQ(frm->NovoMapa(), 7);
}

TEST_F(StratSlots, RenameCutsTo32AndCancelOrEmptyChangesNothing)
{
    frm->NovoMapa();
    frmMapa *w = frm->stratWindow(1);
    const QString forty = QStringLiteral("A forty character strat title, too long!");
    ui.answer(forty);
    Q_EMIT w->renameRequested(w);
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().kind, Prompt::Input);
    EXPECT_EQ(ui.last().defaultText, QStringLiteral("Strat1"));

    // The label and the window title follow the document, marked as modified.
    const struct
    {
        QString answer;
        QString title;
    } cases[] = {{forty, forty.left(32)},
                 {QString(), forty.left(32)},
                 {QStringLiteral("Mid control"), QStringLiteral("Mid control")}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        ui.answer(c.answer);
        frm->renameStrat(w);
        EXPECT_EQ(w->strat().Title.trimmed(), c.title);
        EXPECT_EQ(titleShown(w), c.title + QStringLiteral(" *"));
        EXPECT_EQ(w->windowTitle(), c.title + QStringLiteral(" *"));
    }
    EXPECT_EQ(ui.last().defaultText, forty.left(32)) << "the default is the title, unmarked";
}

TEST_F(StratSlots, AnUnchangedStratClosesWithoutAsking)
{
    frm->NovoMapa();
    frm->NovoMapa();
    frmMapa *w = frm->stratWindow(2);
    Q_EMIT w->closeRequested(w);
    EXPECT_TRUE(ui.prompts().empty());
    EXPECT_EQ(w->iMI, 0);
    EXPECT_EQ(frm->openStratCount(), 1);
    EXPECT_EQ(frm->activeStratWindow(), frm->stratWindow(1));
    frm->closeStrat(frm->stratWindow(1));
    EXPECT_EQ(frm->activeStratWindow(), nullptr);
}

// Save / Discard / Cancel, asked once per modified strat, from its close mark
// and from the main window's close alike.
TEST_F(StratSlots, AModifiedStratAsksBeforeItIsClosed)
{
    const QString question
        = QStringLiteral("The strat \"Strat1\" has changes that are not saved. Save them?");
    const QString saved = home.file(QStringLiteral("kept.vtr"));
    const struct
    {
        const char *name;
        std::vector<ScriptedUi::Answer> answers;
        bool closed;
        bool written;
    } cases[] = {
        {"cancel", {MsgResult::Cancel}, false, false},
        {"discard", {MsgResult::No}, true, false},
        {"save, dialog cancelled", {MsgResult::Yes, QString()}, false, false},
        {"save", {MsgResult::Yes, saved}, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(saved);
        ASSERT_EQ(frm->NovoMapa(), 1);
        frmMapa *w = frm->stratWindow(1);
        w->document().placeObject(0, 900, 900);
        EXPECT_EQ(titleShown(w), QStringLiteral("Strat1 *"));
        ui.clear();
        for (const auto &a : c.answers)
            std::visit([this](const auto &v) { ui.answer(v); }, a);
        Q_EMIT w->closeRequested(w);
        ASSERT_FALSE(ui.prompts().empty());
        EXPECT_EQ(ui.prompts().front().text, question);
        EXPECT_EQ(ui.prompts().front().buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(w->iMI == 0, c.closed);
        EXPECT_EQ(QFile::exists(saved), c.written);
        EXPECT_EQ(ui.pendingAnswers(), 0u);
        if (!c.closed) {
            ui.answer(MsgResult::No);
            frm->closeStrat(w);
        }
        ASSERT_EQ(w->iMI, 0);
    }

    // Undoing back to the saved state is unchanged again: nothing is asked.
    frm->NovoMapa();
    frmMapa *w = frm->stratWindow(1);
    w->document().placeObject(0, 900, 900);
    w->document().undo();
    EXPECT_EQ(titleShown(w), QStringLiteral("Strat1"));
    ui.clear();
    EXPECT_TRUE(frm->closeStrat(w));
    EXPECT_TRUE(ui.prompts().empty());

    // Closing the program asks for each modified strat; Cancel keeps all open.
    for (int slot = 1; slot <= 3; ++slot) {
        frm->NovoMapa();
        if (slot != 2)
            frm->stratWindow(slot)->document().placeObject(0, 900, 900);
    }
    ui.answer(MsgResult::No);
    ui.answer(MsgResult::Cancel);
    EXPECT_FALSE(frm->close());
    EXPECT_EQ(ui.prompts().size(), 2u);
    EXPECT_EQ(frm->openStratCount(), 3);
    ui.clear();
    ui.answer(MsgResult::No);
    ui.answer(MsgResult::No);
    EXPECT_TRUE(frm->close());
    EXPECT_EQ(ui.prompts().size(), 2u);
}

} // namespace
} // namespace vantrel::test
