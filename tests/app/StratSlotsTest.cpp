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
        EXPECT_EQ(tables().slotCount(), expected);
        frmMapa *w = frm->stratWindow(expected);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->iMI, expected);
        EXPECT_EQ(ws().stratWindow(expected), w);
        EXPECT_EQ(w->titleLabel(), QStringLiteral("Strat%1").arg(expected));
    }
    EXPECT_EQ(ws().activeStratWindow(), frm->stratWindow(3));
    EXPECT_EQ(ws().stratWindow(0), nullptr);
    EXPECT_EQ(ws().stratWindow(12), nullptr);

    // Slot 2 held an opened strat; slots 3 and 2 are closed.
    frmMapa *second = frm->stratWindow(2);
    ASSERT_TRUE(second->AbreTatica(writeStrat(QStringLiteral("a.vtr"), sampleStrat())));
    tables().StratTitles(2) = QStringLiteral("Old title");
    frm->closeStrat(frm->stratWindow(3));
    frm->closeStrat(second);
    EXPECT_EQ(second->iMI, 0);
    EXPECT_EQ(frm->stratWindow(2), nullptr);
    EXPECT_EQ(ws().stratWindow(2), nullptr);
    EXPECT_FALSE(frm->subWindowOf(second)->isVisible());
    // The title stays in the table until the slot is used again.
    EXPECT_EQ(tables().StratTitles(2).trimmed(), QStringLiteral("Old title"));

    EXPECT_EQ(frm->NovoMapa(), 2);
    EXPECT_EQ(frm->stratWindow(2), second);
    EXPECT_EQ(second->titleLabel(), QStringLiteral("Strat"));
    EXPECT_EQ(second->iObj(), 0);
    EXPECT_EQ(second->iTxt(), 0);
    EXPECT_TRUE(second->sArquivo.isEmpty());
    EXPECT_TRUE(frm->subWindowOf(second)->isVisibleTo(frm.get()));
    EXPECT_EQ(tables().slotCount(), 3); // the count never shrinks
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
    w->setWindowTitle(QStringLiteral("Strat1"));
    const QString forty = QStringLiteral("A forty character strat title, too long!");
    ui.answer(forty);
    Q_EMIT w->renameRequested(w);
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().kind, Prompt::Input);
    EXPECT_EQ(ui.last().defaultText, QStringLiteral("Strat1"));

    const struct
    {
        QString answer;
        QString label;
    } cases[] = {{forty, forty.left(32)},
                 {QString(), forty.left(32)},
                 {QStringLiteral("Mid control"), QStringLiteral("Mid control")}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        ui.answer(c.answer);
        frm->renameStrat(w);
        EXPECT_EQ(w->titleLabel(), c.label);
        EXPECT_EQ(tables().StratTitles(1).trimmed(), c.label);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Strat1")) << "the caption stays";
    }
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

} // namespace
} // namespace vantrel::test
