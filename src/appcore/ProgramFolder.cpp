#include "appcore/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vantrel::ProgramFolder {

QString path()
{
    const QString home = qEnvironmentVariable("VANTREL_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    return folderFor(QCoreApplication::applicationDirPath());
}

QString folderFor(const QString &executableDir)
{
    const QString installed = QDir(executableDir).filePath(QStringLiteral("../share/vantrel"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return executableDir;
}

bool isInstalled()
{
    return qEnvironmentVariable("VANTREL_HOME").isEmpty()
           && path() != QCoreApplication::applicationDirPath();
}

QString filePath(const QString &relative)
{
    return QDir(path()).filePath(relative);
}

QString overviewsDir()
{
    return filePath(QStringLiteral("Overviews"));
}

QString writablePath()
{
    const QString folder = path();
    // Even where an installed copy's folder could be written (run as root),
    // the package's files stay as they were installed.
    if (!isInstalled() && QFileInfo(folder).isWritable())
        return folder;
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    data = QDir(data).filePath(QStringLiteral("Vantrel"));
    QDir().mkpath(data);
    return data;
}

} // namespace vantrel::ProgramFolder
