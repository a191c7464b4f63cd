#include "appcore/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(ProgramFolder, InstalledCopyKeepsItsFilesUnderShare)
{
    QTemporaryDir root;
    const QDir r(root.path());
    r.mkpath(QStringLiteral("usr/bin"));
    r.mkpath(QStringLiteral("usr/share/vantrel/Overviews"));
    r.mkpath(QStringLiteral("opt/Vantrel/Overviews"));
    // An installed copy: executables in bin, the folder in share.
    EXPECT_EQ(ProgramFolder::folderFor(r.filePath(QStringLiteral("usr/bin"))),
              r.filePath(QStringLiteral("usr/share/vantrel")));
    // A portable copy, like the build tree: the executables' own folder.
    EXPECT_EQ(ProgramFolder::folderFor(r.filePath(QStringLiteral("opt/Vantrel"))),
              r.filePath(QStringLiteral("opt/Vantrel")));
}

} // namespace
} // namespace vantrel
