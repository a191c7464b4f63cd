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

// Five players crossing the canyon and a grenade thrown at frame 20.
Strat playbackStrat()
{
    Strat s;
    s.Overview = QStringLiteral("canyon.png");
    s.Title = QStringLiteral("Canyon: B split");
    const int starts[5][2] = {{900, 7200}, {1500, 7500}, {2100, 7200}, {2700, 7500}, {3300, 7200}};
    const int goals[5][2] = {{7800, 2400}, {8400, 2900}, {9000, 2400}, {6000, 4200}, {5200, 3300}};
    for (int i = 0; i < 5; ++i) {
        s.Objects.append(StratObject{int16_t(i), float(starts[i][0]), float(starts[i][1])});
        StratMovement m;
        m.ObjectIndex = int16_t(i + 1);
        m.PointCount = 2;
        m.Points = {MovementPoint{},
                    MovementPoint{0, (starts[i][0] + goals[i][0]) / 2, starts[i][1] - 2400, 20},
                    MovementPoint{0, goals[i][0], goals[i][1], 8}};
        s.Movements.append(m);
        s.LineColors.append(i % 2 ? 0x0000FFFFu : 0x00FF8000u);
    }
    s.Objects.append(StratObject{10, 3300, 7000});
    StratMovement g;
    g.ObjectIndex = 6;
    g.PointCount = 1;
    g.Points = {MovementPoint{}, MovementPoint{20, 7000, 3000, 20}};
    s.Movements.append(g);
    s.LineColors.append(0x000000FFu);
    s.Texts.append(StratText{6600, 1800, QStringLiteral("smoke B")});
    return s;
}

TEST_F(DocShots, StratInMidPlaybackAndItsExport)
{
    frm->Form_Load(QString());
    ASSERT_EQ(frm->OpenStratFile(writeStrat(QStringLiteral("p.vtr"), playbackStrat())), 1);
    frmMapa *w = frm->stratWindow(1);
    frm->subWindowOf(w)->move(0, 0);
    w->picGO_Click();
    w->tmrT().stop();
    for (int n = 0; n < 120; ++n)
        w->tmrT_Timer();
    save(w, "playback.png");
    ui.answer(QDir(m_out).filePath(QStringLiteral("export.jpg")));
    w->Exporta();
}

} // namespace
} // namespace vantrel::test
