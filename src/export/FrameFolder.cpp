#include "export/FrameFolder.h"

#include "appcore/ProgramFolder.h"

#include <QDir>

namespace vantrel::FrameFolder {

namespace {

QString &scratchFolder()
{
    static QString folder;
    return folder;
}

QString baseFolder()
{
    return scratchFolder().isEmpty() ? ProgramFolder::writablePath() : scratchFolder();
}

} // namespace

QString path()
{
    return QDir(baseFolder()).filePath(QStringLiteral("video"));
}

void setScratchFolder(const QString &folder)
{
    scratchFolder() = folder;
}

bool ensureExists()
{
    return QDir().mkpath(path());
}

void empty()
{
    QDir dir(path());
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : files)
        dir.remove(name);
}

QString frameFileName(int k)
{
    return QStringLiteral("%1.bmp").arg(k, 4, 10, QLatin1Char('0'));
}

QString framePath(int k)
{
    return QDir(path()).filePath(frameFileName(k));
}

QStringList framePaths(int count)
{
    QStringList paths;
    paths.reserve(count);
    for (int k = 1; k <= count; ++k)
        paths.append(framePath(k));
    return paths;
}

QString tempBitmapPath()
{
    return QDir(baseFolder()).filePath(QStringLiteral("temp.bmp"));
}

} // namespace vantrel::FrameFolder
