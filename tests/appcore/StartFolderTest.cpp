#include "appcore/StartFolder.h"
#include "support/TempHome.h"

#include <QDir>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Before a kind has a folder of its own its dialogs start in the program
// folder, or in the documents folder when the program folder cannot be
// written; a remembered folder that has gone counts as none.
TEST(StartFolder, FirstTheProgramOrDocumentsFolderThenTheLastUsed)
{
    test::TempHome home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    QDir(home.path()).mkpath(QStringLiteral("Documents"));
    QDir(home.path()).mkpath(QStringLiteral("plans"));
    const QString documents = home.file(QStringLiteral("Documents"));
    const QString plans = home.file(QStringLiteral("plans"));

    SettingsStore settings;
    EXPECT_EQ(StartFolder::forKind(settings, FileKind::Strat), home.path());
    StartFolder::remember(settings, FileKind::Strat, plans + QStringLiteral("/rush.vtr"));
    StartFolder::remember(settings, FileKind::Video, QString()); // a cancelled dialog
    EXPECT_EQ(settings.text(QStringLiteral("PastaTatica")), plans);
    EXPECT_EQ(StartFolder::forKind(settings, FileKind::Strat), plans);
    EXPECT_EQ(StartFolder::forKind(settings, FileKind::Video), home.path());

    // A program folder that cannot be written (here: one that is not there).
    qputenv("VANTREL_HOME", home.file(QStringLiteral("missing")).toLocal8Bit());
    EXPECT_EQ(StartFolder::forKind(settings, FileKind::Image), documents);
    QDir(plans).removeRecursively();
    EXPECT_EQ(StartFolder::forKind(settings, FileKind::Strat), documents);
    qputenv("HOME", oldHome);
}

} // namespace
} // namespace vantrel
