#include "appcore/Overview.h"

#include "appcore/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace vantrel::Overview {

bool isPlainName(const QString &name)
{
    const QString n = name.trimmed();
    if (n.isEmpty() || n == QLatin1String(".") || n == QLatin1String(".."))
        return false;
    return !n.contains(QLatin1Char('/')) && !n.contains(QLatin1Char('\\')) && !n.contains(QChar(0));
}

QString path(const QString &name)
{
    if (!isPlainName(name))
        return {};
    return QDir(ProgramFolder::overviewsDir()).filePath(name.trimmed());
}

QImage load(const QString &name)
{
    const QString file = path(name);
    // A FIFO or device there would block the reader for good.
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return {};
    QImageReader reader(file);
    // A file of any extension is offered; let the reader look at its content.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QStringList catalogue()
{
    const QDir dir(ProgramFolder::overviewsDir());
    // Regular files only: hidden entries, FIFOs, sockets and devices are not
    // overviews.
    return dir.entryList(QDir::Files, QDir::Name);
}

} // namespace vantrel::Overview
