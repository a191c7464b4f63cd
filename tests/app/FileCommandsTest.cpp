// Open, Save, Save As, the command line and the hand-over poll.
#include "ShellFixture.h"

#include "app/RecordingPanel.h"
#include "appcore/CommandLine.h"
#include "appcore/ProgramFolder.h"
#include "editor/StratSurface.h"
#include "strat/Crc32.h"
#include "strat/StratExtension.h"
#include "support/FullDisk.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QtEndian>

#include <cstring>

#include <utility>

namespace vantrel::test {
namespace {

class FileCommands : public ShellTest
{
protected:
    // The one prompt shown: a critical OK box that starts with `lead` and
    // names `path`.
    void expectFailureBox(const QString &lead, const QString &path, size_t prompts = 1)
    {
        ASSERT_EQ(ui.prompts().size(), prompts);
        const Prompt &msg = ui.last();
        EXPECT_EQ(msg.kind, Prompt::Message);
        EXPECT_EQ(msg.icon, MsgIcon::Critical);
        EXPECT_EQ(msg.buttons, MsgButtons::Ok);
        EXPECT_TRUE(msg.text.startsWith(lead)) << msg.text.toStdString();
        EXPECT_TRUE(msg.text.contains(path)) << msg.text.toStdString();
    }
};

TEST_F(FileCommands, OpenAsksWithTheStratFilterAndOpensTheAnswer)
{
    home.write(QStringLiteral("Overviews/lagoon.png"), png(40, 30));
    const QString path = writeStrat(QStringLiteral("plan.vtr"), sampleStrat());
    ui.answer(path);
    frm->openStrat();

    ASSERT_EQ(ui.prompts().size(), 1u);
    const Prompt &p = ui.prompts().front();
    EXPECT_EQ(p.kind, Prompt::OpenFile);
    EXPECT_EQ(p.defaultText, QStringLiteral("Strat (*.vtr)"));
    EXPECT_EQ(p.initialDir, ProgramFolder::path());

    frmMapa *w = frm->stratWindow(1);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->sArquivo, path);
    EXPECT_EQ(titleShown(w), QStringLiteral("Rush B"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Rush B"));
    EXPECT_EQ(frm->stratWindow(1)->strat().Overview.trimmed(), QStringLiteral("lagoon.png"));
    EXPECT_EQ(w->iObj(), 2);
    EXPECT_EQ(w->surface().scene().background().size(), QSize(40, 30));
}

// The commands that act on a strat are off while none is open, so neither
// the menu nor their keys do anything then.
TEST_F(FileCommands, StratCommandsAreOffWithoutAStrat)
{
    frm->Form_Load(QString()); // empty command line
    const auto enabled = [this] {
        QStringList on;
        for (const char *name :
             {"mnuSalvar", "mnuSalvarComo", "mnuExportar", "copyImageAction", "mnuVideo"})
            if (frm->findChild<QAction *>(QLatin1String(name))->isEnabled())
                on.append(QLatin1String(name));
        return on.join(QLatin1Char(' '));
    };
    const QString all
        = QStringLiteral("mnuSalvar mnuSalvarComo mnuExportar copyImageAction mnuVideo");
    EXPECT_EQ(enabled(), QString());
    frm->NovoMapa();
    EXPECT_EQ(enabled(), all);
    frm->NovoMapa();
    frm->closeStrat(frm->stratWindow(2));
    EXPECT_EQ(enabled(), all) << "one strat is still open";
    // The recording panel keeps Export as Video off while it is shown.
    ui.answer(MsgResult::Ok);
    frm->findChild<QAction *>(QStringLiteral("mnuVideo"))->trigger();
    EXPECT_EQ(enabled(), QStringLiteral("mnuSalvar mnuSalvarComo mnuExportar copyImageAction"));
    frm->closeStrat(frm->stratWindow(1));
    EXPECT_EQ(enabled(), QString());

    frm->saveStrat();
    frm->saveStratAs();
    EXPECT_EQ(ui.prompts().size(), 1u) << "only the recording's message";
    ui.answer(QString()); // cancelled Open
    frm->openStrat();
    EXPECT_EQ(frm->openStratCount(), 0);
}

// Open and Save (strats), Export as Image and Save Video each start in the
// folder their kind of file was last chosen in, the program folder before.
TEST_F(FileCommands, DialogsStartInTheFolderLastUsedForTheirKind)
{
    frm->Form_Load(QString());
    frm->NovoMapa();
    // A recording of one frame, so SAVE asks for a file.
    ui.answer(MsgResult::Ok);
    frm->recordingPanel()->mnuVideo_Click();
    frm->cmdRec()->click();
    frm->stratWindow(1)->playback().step();
    frm->cmdRec()->click();
    const auto startFolders = [this] {
        const size_t before = ui.prompts().size();
        for (int n = 0; n < 4; ++n)
            ui.answer(QString());
        frm->openStrat();
        frm->saveStratAs();
        frm->exportImage();
        frm->recordingPanel()->cmdSave_Click();
        QStringList folders;
        for (size_t i = before; i < ui.prompts().size(); ++i)
            folders.append(QDir(ui.prompts()[i].initialDir).dirName());
        return folders.join(QLatin1Char(' '));
    };
    const QString program = QDir(home.path()).dirName();
    EXPECT_EQ(startFolders(), QStringList(4, program).join(QLatin1Char(' ')));

    for (const char *folder : {"strats", "images", "videos"})
        QDir(home.path()).mkpath(QLatin1String(folder));
    ui.answer(writeStrat(QStringLiteral("strats/a.vtr"), sampleStrat()));
    frm->openStrat();
    ui.answer(home.file(QStringLiteral("images/a.jpg")));
    frm->exportImage();
    ui.answer(home.file(QStringLiteral("videos/a.avi")));
    ui.answer([](QDialog &d) { d.reject(); }); // the compression
    frm->recordingPanel()->cmdSave_Click();
    EXPECT_EQ(startFolders(), QStringLiteral("strats strats images videos"));
}

TEST_F(FileCommands, OpenedAndSavedAgainIsByteIdentical)
{
    const QString original = writeStrat(QStringLiteral("plan.vtr"), sampleStrat());
    ASSERT_EQ(frm->OpenStratFile(original), 1);

    const QString copy = home.file(QStringLiteral("copy.vtr"));
    ui.answer(copy);
    frm->saveStratAs();
    EXPECT_EQ(bytesOf(copy), bytesOf(original));
    EXPECT_EQ(frm->stratWindow(1)->sArquivo, copy);

    // Save writes back to the window's file without asking.
    QFile::remove(copy);
    const size_t asked = ui.prompts().size();
    frm->saveStrat();
    EXPECT_EQ(ui.prompts().size(), asked);
    EXPECT_EQ(bytesOf(copy), bytesOf(original));
}

TEST_F(FileCommands, SaveOfANewStratAsksAndAddsTheExtension)
{
    frm->NovoMapa();
    const QString base = home.file(QStringLiteral("new strat"));
    ui.answer(base);
    frm->saveStrat();
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().kind, Prompt::SaveFile);
    EXPECT_EQ(ui.last().defaultText, QStringLiteral("Strat (*.vtr)"));
    EXPECT_EQ(ui.last().initialDir, ProgramFolder::path());
    EXPECT_EQ(bytesOf(base + QStringLiteral(".vtr")).size(), 157);
    EXPECT_EQ(frm->stratWindow(1)->sArquivo, base + QStringLiteral(".vtr"));

    // A name that ends in .VTR is used as typed.
    const QString upper = home.file(QStringLiteral("LOUD.VTR"));
    ui.answer(upper);
    frm->saveStratAs();
    EXPECT_TRUE(QFile::exists(upper));
    EXPECT_FALSE(QFile::exists(upper + QStringLiteral(".vtr")));

    // A cancelled dialog writes nothing and keeps the path.
    ui.answer(QString());
    frm->saveStratAs();
    EXPECT_EQ(frm->stratWindow(1)->sArquivo, upper);
    EXPECT_EQ(ui.prompts().size(), 3u); // the dialogs only, no message
}

TEST_F(FileCommands, AFailedSaveSaysWhyAndKeepsTheOldPath)
{
    const QString original = writeStrat(QStringLiteral("plan.vtr"), sampleStrat());
    frm->OpenStratFile(original);
    const QString unwritable = home.file(QStringLiteral("no such folder/plan2.vtr"));
    ui.answer(unwritable);
    ui.answer(MsgResult::Ok);
    frm->saveStratAs();

    expectFailureBox(QStringLiteral("The strat could not be saved."), unwritable, 2);
    EXPECT_EQ(frm->stratWindow(1)->sArquivo, original);
    EXPECT_FALSE(QFile::exists(unwritable));

    // Saving over a strat on a full disk keeps the old file whole and says why.
    FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const QString full = disk.write(QStringLiteral("full.vtr"), "old");
    disk.fill();
    ui.answer(full);
    ui.answer(MsgResult::Ok);
    frm->saveStratAs();
    expectFailureBox(QStringLiteral("The strat could not be saved."),
                     full + QStringLiteral(": No space left on device"), 4);
    QFile kept(full);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old");
}

// A missing and a truncated file: each is reported and the slot handed out
// for it is free again.
TEST_F(FileCommands, AFileThatCannotBeOpenedIsReportedAndItsWindowClosed)
{
    QByteArray bytes;
    ASSERT_TRUE(StratFile::encode(sampleStrat(), bytes).ok);
    const QString paths[] = {home.file(QStringLiteral("missing.vtr")),
                             home.write(QStringLiteral("short.vtr"), bytes.left(60))};
    frm->NovoMapa(); // slot 1 stays open
    for (const QString &path : paths) {
        SCOPED_TRACE(path.toStdString());
        ui.clear();
        ui.answer(MsgResult::Ok);
        EXPECT_EQ(frm->OpenStratFile(path), -1);
        expectFailureBox(QStringLiteral("The strat could not be opened."), path);
        EXPECT_EQ(frm->openStratCount(), 1);
        EXPECT_EQ(frm->stratWindow(2), nullptr);
    }
    EXPECT_EQ(frm->NovoMapa(), 2);
}

// Texts outside the code page come back from the file as typed, and a block
// of a later version is left out with one notice while the strat opens.
TEST_F(FileCommands, FullTextsShowAndANewerBlockIsNoticedOnce)
{
    Strat s = sampleStrat();
    s.Title = QString::fromUtf8("Rush \xF0\x9F\x8E\xAF B");
    s.drawings.push_back({DrawingKind::Line, {{0, 0}, {900, 600}}});
    const QString path = writeStrat(QStringLiteral("full.vtr"), s);
    ASSERT_EQ(frm->OpenStratFile(path), 1);
    EXPECT_TRUE(ui.prompts().empty());
    EXPECT_EQ(frm->stratWindow(1)->windowTitle(), s.Title.trimmed());
    EXPECT_EQ(frm->stratWindow(1)->document().drawings(), s.drawings);

    QByteArray bytes;
    ASSERT_TRUE(StratFile::encode(s, bytes).ok);
    const qsizetype at = bytes.indexOf("VTR-EXT\x1A");
    ASSERT_GT(at, 0);
    bytes[at + 8] = 2;
    const uint32_t crc = qToLittleEndian(crc32(QByteArrayView(bytes).sliced(at).chopped(4)));
    std::memcpy(bytes.data() + bytes.size() - 4, &crc, 4);
    const QString newer = home.write(QStringLiteral("newer.vtr"), bytes);
    ui.answer(MsgResult::Ok);
    ASSERT_EQ(frm->OpenStratFile(newer), 2);
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.last().text,
              newer + QLatin1Char('\n') + QLatin1String(StratExtension::kNewerNotice));
    EXPECT_TRUE(frm->stratWindow(2)->document().drawings().empty());
    EXPECT_EQ(frm->stratWindow(2)->windowTitle(), QStringLiteral("Rush ? B"));
}

TEST_F(FileCommands, AnOverviewNameWithAPathLoadsNothing)
{
    home.write(QStringLiteral("secret.png"), png(20, 20));
    home.write(QStringLiteral("Overviews/lagoon.png"), png(40, 30));
    const QString path
        = writeStrat(QStringLiteral("evil.vtr"), sampleStrat(QStringLiteral("../secret.png")));
    ASSERT_EQ(frm->OpenStratFile(path), 1);
    EXPECT_TRUE(frm->stratWindow(1)->surface().scene().background().isNull());
    EXPECT_TRUE(ui.prompts().empty());
}

TEST_F(FileCommands, CommandLinePathInQuotesWithBlanksOpens)
{
    QDir(home.path()).mkpath(QStringLiteral("my plans"));
    const QString path = writeStrat(QStringLiteral("my plans/first one.vtr"), sampleStrat());
    const QString line = CommandLine::join(
        {QStringLiteral("vantrel"), QLatin1Char('"') + path + QLatin1Char('"')});
    frm->Form_Load(line);
    ASSERT_NE(frm->stratWindow(1), nullptr);
    EXPECT_EQ(frm->stratWindow(1)->sArquivo, path);
}

TEST_F(FileCommands, TheHandOverPollOpensThePathAndEmptiesTheKey)
{
    frm->Form_Load(QString());
    auto *timer = frm->findChild<QTimer *>(QStringLiteral("tmrCmd"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());

    const QString path = writeStrat(QStringLiteral("handed.vtr"), sampleStrat());
    frm->settings().setHandOverPath(QLatin1Char('"') + path + QLatin1Char('"'));
    frm->pollHandOver();
    ASSERT_NE(frm->stratWindow(1), nullptr);
    EXPECT_EQ(frm->stratWindow(1)->sArquivo, path);
    EXPECT_TRUE(frm->settings().handOverPath().isEmpty());

    // Nothing there: nothing happens.
    frm->pollHandOver();
    EXPECT_EQ(frm->openStratCount(), 1);
}

// A Ui whose message box lets the hand-over poll fire while it is up, as the
// timer does during a real modal box.
class PollingUi : public ScriptedUi
{
public:
    std::function<void()> whileShown;
    MsgResult messageBox(QWidget *owner, const QString &text, const QString &title,
                         MsgButtons buttons, MsgIcon icon) override
    {
        if (auto f = std::exchange(whileShown, nullptr))
            f();
        return ScriptedUi::messageBox(owner, text, title, buttons, icon);
    }
};

TEST(HandOver, ABadPathIsReportedOnceAndTheKeyStillEmptied)
{
    TempHome home;
    PollingUi ui;
    frmPrincipal frm(ui);
    frm.settings().setHandOverPath(home.file(QStringLiteral("nothing.vtr")));
    ui.whileShown = [&frm] {
        frm.pollHandOver();
    };
    ui.answer(MsgResult::Ok);
    frm.pollHandOver();
    EXPECT_TRUE(frm.settings().handOverPath().isEmpty());
    EXPECT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(frm.openStratCount(), 0);
    frm.pollHandOver();
    EXPECT_EQ(ui.prompts().size(), 1u);
}

} // namespace
} // namespace vantrel::test
