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
    return QCoreApplication::applicationDirPath();
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
    if (QFileInfo(folder).isWritable())
        return folder;
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    data = QDir(data).filePath(QStringLiteral("Vantrel"));
    QDir().mkpath(data);
    return data;
}

} // namespace vantrel::ProgramFolder
