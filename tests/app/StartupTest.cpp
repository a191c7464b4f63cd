// The load steps of a first start (welcome, example strat, association),
// the tips window, the About box and windows translated by a pack.
#include "ShellFixture.h"

#include "app/ClickLabel.h"
#include "app/frmDica.h"
#include "app/frmSobre.h"
#include "i18n/TipsFile.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMenu>

namespace vantrel::test {
namespace {

class Startup : public ShellTest
{
protected:
    void firstStart()
    {
        frm->settings().setFirstRunMarker(0);
        frm->settings().setAssociationMarker(0);
    }
    // A pack with a few window texts and strings, installed as if loaded.
    void loadPack(QList<PackString> strings = {})
    {
        PackData p;
        PackWindow mov{{}, QStringLiteral("frmMov"), QStringLiteral("Movimento"), {}, {}, {}};
        mov.controls
            = {{{}, QStringLiteral("optVel(2)"), QStringLiteral("Granada"), {}, {}, {}, 0},
               {{}, QStringLiteral("Label2"), QStringLiteral("Velocidade:"), {}, {}, {}, 0}};
        PackWindow main{{}, QStringLiteral("frmPrincipal"), QStringLiteral("Vantrel"), {}, {}, {}};
        main.controls
            = {{{}, QStringLiteral("mnuTatica"), QStringLiteral("&Tática"), {}, {}, {}, 0},
               {{}, QStringLiteral("mnuNovo"), QStringLiteral("&Nova"), {}, {}, {}, 0},
               {{},
                QStringLiteral("mnuApagaMov"),
                QStringLiteral("&Remover movimento"),
                {},
                {},
                {},
                0},
               {{}, QStringLiteral("imgMove"), {}, QStringLiteral("Mover janela"), {}, {}, 0}};
        p.windows = {mov, main};
        p.strings = std::move(strings);
        ws().language.setPack(p, QStringLiteral("Portuguese.lpk"));
    }
};

TEST_F(Startup, FirstRunOffersTheExampleOnce)
{
    const struct
    {
        const char *languageName;
        bool localisedExists;
        MsgResult answer;
        const char *opened; // title of the strat opened, or null
    } cases[] = {
        {"Portuguese", true, MsgResult::Yes, "Exemplo"},
        {"Portuguese", false, MsgResult::Yes, "Example"},
        {"", true, MsgResult::Yes, "Example"},
        {"", true, MsgResult::No, nullptr},
    };
    for (const auto &c : cases) {
        TempHome fresh;
        ScriptedUi freshUi;
        frmPrincipal window(freshUi);
        window.settings().setAssociationMarker(1);
        window.settings().setShowTips(false);
        window.setLanguageName(QLatin1String(c.languageName));
        Strat s = sampleStrat();
        s.Title = QStringLiteral("Example");
        StratFile::write(fresh.file(QStringLiteral("example.vtr")), s);
        if (c.localisedExists) {
            s.Title = QStringLiteral("Exemplo");
            StratFile::write(fresh.file(QStringLiteral("example_Portuguese.vtr")), s);
        }
        freshUi.answer(c.answer);
        window.Form_Load(QString());
        ASSERT_EQ(freshUi.prompts().size(), 1u);
        const Prompt &p = freshUi.prompts().front();
        EXPECT_EQ(p.buttons, MsgButtons::YesNo);
        if (c.opened) {
            ASSERT_NE(window.stratWindow(1), nullptr);
            EXPECT_EQ(titleShown(window.stratWindow(1)), QLatin1String(c.opened));
        } else {
            EXPECT_EQ(window.openStratCount(), 0);
        }
        EXPECT_EQ(window.settings().firstRunMarker(), 1);
    }
}

TEST_F(Startup, TheWelcomeSpeaksThePackAndTheAssociationIsWrittenOnce)
{
    firstStart();
    loadPack({{QStringLiteral("s0014"), QStringLiteral("Bem-vindo")}});
    ui.answer(MsgResult::No);
    frm->Form_Load(QString());
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().title, QStringLiteral("Bem-vindo"));
    EXPECT_EQ(frm->settings().associationMarker(), 1);

    const QString mime = home.dataDir() + QStringLiteral("/mime/packages/vantrel-vtr.xml");
    const QString desktop = home.dataDir() + QStringLiteral("/applications/vantrel-vtr.desktop");
    const QString xml = QString::fromUtf8(bytesOf(mime));
    // English for every desktop, the registered Portuguese name for Portuguese ones.
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<comment>Vantrel strat</comment>\n"
                                    "    <comment xml:lang=\"pt\">Tática do Vantrel</comment>")))
        << qPrintable(xml);
    EXPECT_TRUE(xml.contains(QStringLiteral("<glob pattern=\"*.vtr\"/>")));
    const QString entry = QString::fromUtf8(bytesOf(desktop));
    EXPECT_TRUE(entry.contains(
        QStringLiteral("Exec=\"%1\" %f\n").arg(QCoreApplication::applicationFilePath())))
        << qPrintable(entry);
    EXPECT_TRUE(entry.contains(QStringLiteral("MimeType=application/x-vantrel-strat;")));

    // The second start neither welcomes nor registers again.
    QFile::remove(mime);
    frmPrincipal again(ui);
    again.settings().setShowTips(false);
    again.Form_Load(QString());
    EXPECT_EQ(ui.prompts().size(), 1u);
    EXPECT_FALSE(QFile::exists(mime));
}

TEST_F(Startup, TipsWindowLinesNextTipAndTheStartupBox)
{
    home.write(QStringLiteral("tips.dat"), "only tip\r\n");
    frmDica one(ws(), frm->settings());
    EXPECT_EQ(one.lblTipText()->text(), QStringLiteral("only tip"));
    one.cmdNextTip_Click();
    EXPECT_EQ(one.lblTipText()->text(), QStringLiteral("only tip"));
    one.chkLoadTipsAtStartup()->click(); // ticks it: stored at once
    EXPECT_EQ(frm->settings().text(QStringLiteral("Dicas")), QStringLiteral("1"));

    home.write(QStringLiteral("tips.dat"), "a\r\n\r\nc");
    double r = 0.5;
    frmDica three(ws(), frm->settings(), nullptr, [&r] { return r; });
    EXPECT_EQ(three.lblTipText()->text(), QString()); // the empty middle line
    r = 0.9;
    three.cmdNextTip_Click();
    EXPECT_EQ(three.lblTipText()->text(), QStringLiteral("c"));

    QFile::remove(home.file(QStringLiteral("tips.dat")));
    frmDica missing(ws(), frm->settings());
    EXPECT_EQ(missing.lblTipText()->text(), QStringLiteral("The file was not found: tips.dat"));
    missing.cmdNextTip_Click();
    EXPECT_EQ(missing.lblTipText()->text(), QStringLiteral("The file was not found: tips.dat"));

    // A file that is there is never called missing.
    {
        QFile huge(home.file(QStringLiteral("tips.dat")));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(TipsFile::kMaxSize + 1));
    }
    EXPECT_EQ(frmDica(ws(), frm->settings()).lblTipText()->text(),
              QStringLiteral("The file is too large: tips.dat"));
    QFile::remove(home.file(QStringLiteral("tips.dat")));
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("tips.dat")));
    EXPECT_EQ(frmDica(ws(), frm->settings()).lblTipText()->text(),
              QStringLiteral("The file cannot be read: tips.dat"));
    ASSERT_TRUE(QDir(home.path()).rmdir(QStringLiteral("tips.dat")));

    loadPack({{QStringLiteral("s0000"), QStringLiteral("dicas.dat")},
              {QStringLiteral("s0001"), QStringLiteral("Arquivo não encontrado: ")}});
    frmDica packMissing(ws(), frm->settings());
    EXPECT_EQ(packMissing.lblTipText()->text(),
              QStringLiteral("Arquivo não encontrado: dicas.dat"));
    home.write(QStringLiteral("dicas.dat"), "Dica");
    frmDica pack(ws(), frm->settings());
    EXPECT_EQ(pack.lblTipText()->text(), QStringLiteral("Dica"));
}

TEST_F(Startup, TipsShowAtLoadWithTheBoxTicked)
{
    frm->settings().setShowTips(true);
    bool ticked = false;
    ui.answer([&ticked](QDialog &d) {
        ticked = d.findChild<QCheckBox *>(QStringLiteral("chkLoadTipsAtStartup"))->isChecked();
    });
    frm->Form_Load(QString());
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().dialogName, QStringLiteral("frmDica"));
    EXPECT_TRUE(ticked);
}

TEST_F(Startup, AboutShowsTheVersionAndOpensItsLinks)
{
    EXPECT_EQ(frmSobre::versionText(1, 0, 3), QStringLiteral("1.03"));
    EXPECT_EQ(frmSobre::versionText(2, 1, 12), QStringLiteral("2.112"));
    frmSobre about(ws());
    Q_EMIT about.findChild<ClickLabel *>(QStringLiteral("lblEmail"))->clicked();
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().text, QStringLiteral("mailto:") + QLatin1String(frmSobre::kEmail));
}

} // namespace
} // namespace vantrel::test
