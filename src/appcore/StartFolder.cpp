#include "appcore/StartFolder.h"

#include "appcore/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vantrel::StartFolder {

namespace {

QString firstFolder()
{
    const QString program = ProgramFolder::path();
    if (!ProgramFolder::isInstalled() && QFileInfo(program).isWritable())
        return program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

QString forKind(const SettingsStore &settings, FileKind kind)
{
    const QString last = settings.lastFolder(kind);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return firstFolder();
}

void remember(SettingsStore &settings, FileKind kind, const QString &chosenFile)
{
    if (!chosenFile.isEmpty())
        settings.setLastFolder(kind, QFileInfo(chosenFile).absolutePath());
}

} // namespace vantrel::StartFolder
