// Pictures of the shell for the documentation. Runs only when
// VANTREL_DOC_SHOTS names a folder to write docs/*.png into.
#include "ShellFixture.h"

#include "app/frmNovo.h"
#include "app/frmOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace vantrel::test {
namespace {

class DocShots : public ShellTest
{
protected:
    void SetUp() override
    {
        m_out = qEnvironmentVariable("VANTREL_DOC_SHOTS");
        if (m_out.isEmpty())
            GTEST_SKIP() << "set VANTREL_DOC_SHOTS to a folder to write the pictures";
        const QDir built(QCoreApplication::applicationDirPath()
                         + QStringLiteral("/../Vantrel/Overviews"));
        for (const QString &name : built.entryList(QDir::Files))
            QFile::copy(built.filePath(name), home.file(QStringLiteral("Overviews/") + name));
    }
    void save(QWidget *w, const char *name)
    {
        QEventLoop loop;
        QTimer::singleShot(80, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_TRUE(w->grab().save(QDir(m_out).filePath(QLatin1String(name))));
    }
    QString m_out;
};

TEST_F(DocShots, MainWindowWithTwoStrats)
{
    Strat a = sampleStrat(QStringLiteral("canyon.png"));
    a.Title = QStringLiteral("Canyon: B split");
    Strat b = sampleStrat(QStringLiteral("harbor.png"));
    b.Title = QStringLiteral("Harbor: fast A");
    frm->Form_Load(QString());
    ASSERT_EQ(frm->OpenStratFile(writeStrat(QStringLiteral("a.vtr"), a)), 1);
    ASSERT_EQ(frm->OpenStratFile(writeStrat(QStringLiteral("b.vtr"), b)), 2);
    frm->subWindowOf(frm->stratWindow(1))->move(0, 0);
    frm->subWindowOf(frm->stratWindow(2))->move(250, 70);
    frm->onPaletteClicked(6);
    save(frm.get(), "main.png");
}

TEST_F(DocShots, NewStratDialogWithPreview)
{
    frm->Form_Load(QString());
    frm->newStrat();
    frmNovo *dlg = frm->newStratDialog();
    ASSERT_NE(dlg, nullptr);
    dlg->lstOverview()->setCurrentRow(1);
    save(dlg, "new-strat.png");
}

TEST_F(DocShots, OptionsDialog)
{
    frm->Form_Load(QString());
    frmOptions dlg(ws(), frm->settings(), frm.get());
    dlg.show();
    save(&dlg, "options.png");
}

} // namespace
} // namespace vantrel::test
