// Strat window slots: NovoMapa, titles, rename and close.
#include "ShellFixture.h"

#include "editor/StratSurface.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vantrel::test {
namespace {

using StratSlots = ShellTest;

TEST_F(StratSlots, NewSlotsCountUpAndGrowTheTables)
{
    for (int expected = 1; expected <= 3; ++expected) {
        EXPECT_EQ(frm->NovoMapa(), expected);
        EXPECT_EQ(tables().slotCount(), expected);
        frmMapa *w = frm->stratWindow(expected);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->iMI, expected);
        EXPECT_TRUE(w->sArquivo.isEmpty());
        EXPECT_EQ(w->titleLabel(), QStringLiteral("Strat%1").arg(expected));
    }
    EXPECT_EQ(frm->openStratCount(), 3);
    EXPECT_TRUE(ui.prompts().empty());
}

TEST_F(StratSlots, StratWindowsAreFramelessAndExactlyTheirSize)
{
    frm->NovoMapa();
    QMdiSubWindow *sub = frm->subWindowOf(frm->stratWindow(1));
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(sub->size(), QSize(799, 585));
    EXPECT_EQ(frm->stratWindow(1)->size(), QSize(799, 585));
    EXPECT_EQ(sub->mdiArea(), frm->mdiArea());
}

TEST_F(StratSlots, TheLowestClosedSlotIsReusedWithAPlainLabel)
{
    frm->NovoMapa();
    frm->NovoMapa();
    frm->NovoMapa();
    tables().StratTitles(2) = QStringLiteral("Old title");
    frmMapa *second = frm->stratWindow(2);
    frm->closeStrat(frm->stratWindow(3));
    frm->closeStrat(second);
    EXPECT_EQ(frm->stratWindow(2), nullptr);
    EXPECT_FALSE(frm->subWindowOf(second)->isVisible());
    // The title stays in the table until the slot is used again.
    EXPECT_EQ(tables().StratTitles(2).trimmed(), QStringLiteral("Old title"));

    EXPECT_EQ(frm->NovoMapa(), 2);
    EXPECT_EQ(frm->stratWindow(2), second);
    EXPECT_EQ(second->titleLabel(), QStringLiteral("Strat"));
    EXPECT_TRUE(frm->subWindowOf(second)->isVisibleTo(frm.get()));
    EXPECT_EQ(tables().slotCount(), 3); // the count never shrinks
    EXPECT_EQ(frm->NovoMapa(), 3);
    EXPECT_EQ(frm->NovoMapa(), 4);
}

TEST_F(StratSlots, AReusedSlotStartsEmpty)
{
    const QString path = writeStrat(QStringLiteral("a.vtr"), sampleStrat());
    ASSERT_EQ(frm->OpenStratFile(path), 1);
    frmMapa *w = frm->stratWindow(1);
    EXPECT_EQ(w->iObj(), 2);
    frm->closeStrat(w);
    EXPECT_EQ(w->iMI, 0);
    EXPECT_EQ(frm->NovoMapa(), 1);
    EXPECT_EQ(w->iObj(), 0);
    EXPECT_EQ(w->iTxt(), 0);
    EXPECT_TRUE(w->sArquivo.isEmpty());
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
    EXPECT_EQ(ui.last().kind, Prompt::Message);
    EXPECT_EQ(ui.last().text, QStringLiteral("Too much strats open at the same time."));
    EXPECT_EQ(ui.last().icon, MsgIcon::Critical);
    EXPECT_EQ(ui.last().buttons, MsgButtons::Ok);

    // Closing one frees a slot again.
    frm->closeStrat(frm->stratWindow(7));
    EXPECT_EQ(frm->NovoMapa(), 7);
}

TEST_F(StratSlots, RenameAsksWithTheCurrentLabelAndCutsTo32Characters)
{
    frm->NovoMapa();
    frmMapa *w = frm->stratWindow(1);
    const QString forty = QStringLiteral("A forty character strat title, too long!");
    ASSERT_EQ(forty.size(), 40);
    ui.answer(forty);
    Q_EMIT w->renameRequested(w);

    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().kind, Prompt::Input);
    EXPECT_EQ(ui.last().text, QStringLiteral("Enter the strat title:"));
    EXPECT_EQ(ui.last().title, QStringLiteral("Tática"));
    EXPECT_EQ(ui.last().defaultText, QStringLiteral("Strat1"));
    EXPECT_EQ(w->titleLabel(), forty.left(32));
    EXPECT_EQ(tables().StratTitles(1).trimmed(), forty.left(32));
}

TEST_F(StratSlots, RenameCancelledOrEmptyChangesNothing)
{
    frm->NovoMapa();
    frmMapa *w = frm->stratWindow(1);
    tables().StratTitles(1) = QStringLiteral("Strat1");
    w->setWindowTitle(QStringLiteral("Strat1"));
    ui.answer(QString());
    frm->renameStrat(w);
    EXPECT_EQ(w->titleLabel(), QStringLiteral("Strat1"));
    EXPECT_EQ(tables().StratTitles(1).trimmed(), QStringLiteral("Strat1"));

    // A rename leaves the window's own caption alone.
    ui.answer("Mid control");
    frm->renameStrat(w);
    EXPECT_EQ(w->titleLabel(), QStringLiteral("Mid control"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Strat1"));
}

TEST_F(StratSlots, TheCloseMarkDiscardsWithoutAsking)
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

TEST_F(StratSlots, WorkspaceLookupsFollowTheSlots)
{
    frm->NovoMapa();
    frm->NovoMapa();
    EXPECT_EQ(ws().stratWindow(2), frm->stratWindow(2));
    EXPECT_EQ(ws().stratWindow(0), nullptr);
    EXPECT_EQ(ws().stratWindow(12), nullptr);
    EXPECT_EQ(ws().activeStratWindow(), frm->stratWindow(2));
    EXPECT_EQ(ws().owner, frm.get());
    frm->closeStrat(frm->stratWindow(2));
    EXPECT_EQ(ws().stratWindow(2), nullptr);
}

} // namespace
} // namespace vantrel::test
