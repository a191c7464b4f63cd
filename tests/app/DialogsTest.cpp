// The New Strat dialog, the Options dialog and the file dialog filters.
#include "ShellFixture.h"

#include <QMdiArea>

#include "app/frmNovo.h"
#include "app/frmOptions.h"
#include "editor/StratSurface.h"
#include "uiservice/clsDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace vantrel::test {
namespace {

class NewStrat : public ShellTest
{
protected:
    frmNovo *openDialog()
    {
        frm->newStrat();
        frmNovo *dlg = frm->newStratDialog();
        EXPECT_NE(dlg, nullptr);
        return dlg;
    }
    static void select(frmNovo *dlg, const QString &name)
    {
        const auto items = dlg->lstOverview()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        dlg->lstOverview()->setCurrentItem(items.front());
    }
};

// Which files the catalogue lists is OverviewTest's business.
TEST_F(NewStrat, NewAgainRaisesTheDialogAndADoubleClickActsAsOk)
{
    home.write(QStringLiteral("Overviews/lagoon.png"), png(40, 30));
    frmNovo *dlg = openDialog();
    // New again while it is open raises the same dialog.
    frm->newStrat();
    EXPECT_EQ(frm->newStratDialog(), dlg);
    // A double click acts as OK.
    Q_EMIT dlg->lstOverview()->itemDoubleClicked(dlg->lstOverview()->item(0));
    ASSERT_NE(frm->stratWindow(1), nullptr);
    EXPECT_EQ(frm->stratWindow(1)->strat().Overview.trimmed(), QStringLiteral("lagoon.png"));
    EXPECT_EQ(frm->stratWindow(1)->surface().scene().background().size(), QSize(40, 30));
}

TEST_F(NewStrat, OkGivesTheNewStratThePreviewedOverview)
{
    home.write(QStringLiteral("Overviews/a_very_long_overview.png"), png(60, 45));
    frmNovo *dlg = openDialog();
    select(dlg, QStringLiteral("a_very_long_overview.png"));
    EXPECT_FALSE(dlg->imgOverview()->pixmap().isNull());
    EXPECT_EQ(dlg->previewPicture().size(), QSize(60, 45));
    dlg->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();

    frmMapa *w = frm->stratWindow(1);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->surface().scene().background().size(), QSize(60, 45));
    // The overview name keeps its first 16 characters.
    EXPECT_EQ(frm->stratWindow(1)->strat().Overview.trimmed(), QStringLiteral("a_very_long_over"));
    EXPECT_FALSE(dlg->isVisible()) << "the dialog closes";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frm->newStratDialog(), nullptr);
}

TEST_F(NewStrat, AFileThatIsNoPictureShowsNoPreviewAndMakesAStratWithout)
{
    home.write(QStringLiteral("Overviews/lagoon.png"), png(40, 30));
    home.write(QStringLiteral("Overviews/readme.txt"), "words");
    frmNovo *dlg = openDialog();
    select(dlg, QStringLiteral("lagoon.png"));
    select(dlg, QStringLiteral("readme.txt"));
    EXPECT_TRUE(dlg->imgOverview()->pixmap().isNull());
    dlg->onOkClicked();
    ASSERT_NE(frm->stratWindow(1), nullptr);
    EXPECT_TRUE(frm->stratWindow(1)->surface().scene().background().isNull());
    EXPECT_EQ(frm->stratWindow(1)->strat().Overview.trimmed(), QStringLiteral("readme.txt"));
    EXPECT_TRUE(ui.prompts().empty());
}

TEST_F(NewStrat, NoEntryIsChosenUntilTheUserPicksOne)
{
    home.write(QStringLiteral("Overviews/lagoon.png"), png(40, 30));
    frmNovo *dlg = openDialog();
    dlg->show();
    // Keyboard focus makes the first entry current, which is not a choice.
    dlg->lstOverview()->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->imgOverview()->pixmap().isNull());
    dlg->onOkClicked();
    ASSERT_NE(frm->stratWindow(1), nullptr);
    EXPECT_TRUE(frm->stratWindow(1)->strat().Overview.trimmed().isEmpty());
    EXPECT_TRUE(frm->stratWindow(1)->surface().scene().background().isNull());
}

// With eleven strats open New says so before an overview is chosen; a slot
// taken while the dialog is open is said at OK, and the dialog stays.
TEST_F(NewStrat, NoFreeSlotIsSaidBeforeTheOverviewIsChosen)
{
    for (int i = 0; i < 11; ++i)
        frm->NovoMapa();
    ui.answer(MsgResult::Ok);
    frm->newStrat();
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().text, QStringLiteral("Too much strats open at the same time."));
    EXPECT_EQ(ui.last().icon, MsgIcon::Critical);
    EXPECT_EQ(frm->newStratDialog(), nullptr);

    frm->closeStrat(frm->stratWindow(11));
    frmNovo *dlg = openDialog();
    frm->NovoMapa();
    ui.answer(MsgResult::Ok);
    dlg->onOkClicked();
    ASSERT_EQ(ui.prompts().size(), 2u);
    EXPECT_EQ(ui.last().icon, MsgIcon::Critical);
    EXPECT_EQ(frm->newStratDialog(), dlg);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(NewStrat, CancelChangesNothing)
{
    home.write(QStringLiteral("Overviews/lagoon.png"), png(40, 30));
    frmNovo *dlg = openDialog();
    select(dlg, QStringLiteral("lagoon.png"));
    dlg->findChild<QPushButton *>(QStringLiteral("cmdCancelar"))->click();
    EXPECT_EQ(frm->openStratCount(), 0);
    EXPECT_EQ(frm->mdiArea()->subWindowList().size(), 0);
}

using Options = ShellTest;

TEST_F(Options, OkStoresTheTickAndSetsTheFlagAtOnceCancelStoresNothing)
{
    const struct
    {
        bool tick;
        const char *button;
        bool flag;
        QString stored;
    } cases[] = {{true, "cmdCancel", false, QString()},
                 {true, "cmdOK", true, QStringLiteral("True")},
                 {false, "cmdOK", false, QStringLiteral("False")}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        const bool before = ws().keepCountingFrames;
        ui.answer([&c, before](QDialog &d) {
            auto *chk = d.findChild<QCheckBox *>(QStringLiteral("chkKCFrames"));
            ASSERT_NE(chk, nullptr);
            EXPECT_EQ(chk->isChecked(), before);
            chk->setChecked(c.tick);
            d.findChild<QPushButton *>(QLatin1String(c.button))->click();
        });
        frm->showOptions();
        EXPECT_EQ(ui.last().dialogName, QStringLiteral("frmOptions"));
        EXPECT_EQ(ws().keepCountingFrames, c.flag);
        EXPECT_EQ(frm->settings().text(QStringLiteral("KCFrames")), c.stored);
        EXPECT_EQ(frm->settings().text(QStringLiteral("KCFrames")).isNull(), c.stored.isNull());
    }
}

TEST_F(Options, TheMainWindowLoadReadsTheStoredOption)
{
    frm->settings().setKeepCountingFrames(true);
    frm->Form_Load(QString());
    EXPECT_TRUE(ws().keepCountingFrames);
}

TEST(FileDialogs, FiltersBecomeQtFilters)
{
    EXPECT_EQ(clsDialog::toQtFilter(QStringLiteral("Strat (*.vtr)|*.vtr|")),
              QStringLiteral("Strat (*.vtr)"));
    EXPECT_EQ(clsDialog::toQtFilter(QStringLiteral("Strat (*.vtr)|*.vtr")),
              QStringLiteral("Strat (*.vtr)"));
    EXPECT_EQ(clsDialog::toQtFilter(QStringLiteral("JPEG|*.jpg;*.jpeg|All (*.*)|*.*|")),
              QStringLiteral("JPEG (*.jpg *.jpeg);;All (*.*)"));
}

} // namespace
} // namespace vantrel::test
