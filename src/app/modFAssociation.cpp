#include "app/modFAssociation.h"

#include "fileio/SafeFile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace vantrel::modFAssociation {

namespace {

void writeFile(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    SafeFile::replace(path, text.toUtf8());
}

QString xmlEscaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// One argument of a desktop entry's Exec line: a literal "%" doubled, then
// quoted, with '"', '`', '$' and '\' escaped inside the quotes.
QString execArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'%')
            quoted += QStringLiteral("%%");
        else if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += QLatin1Char('\\') + c;
        else
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// A value of a desktop entry: backslashes and control characters escaped.
// The quoting of Exec comes first, so a backslash of a path ends as four.
QString entryValue(const QString &text)
{
    QString value;
    for (const QChar c : text) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

// The command is the executable in double quotes and "%1" in double quotes
// (the form of the platform that has no quoting rules of its own); the
// desktop entry gets the executable as one argument and the field code for
// one file path.
QString execLine(const QString &command)
{
    const QString fileArgument = QStringLiteral(" \"%1\"");
    QString executable = command;
    if (executable.endsWith(fileArgument))
        executable.chop(fileArgument.size());
    if (executable.size() >= 2 && executable.startsWith(u'"') && executable.endsWith(u'"'))
        executable = executable.mid(1, executable.size() - 2);
    return entryValue(execArgument(executable) + QStringLiteral(" %f"));
}

void runWhenPresent(const QString &tool, const QString &folder)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(path, {folder});
    p.waitForFinished(15000);
}

} // namespace

FileTypeInfo stratFileType(const QString &executable)
{
    FileTypeInfo info;
    info.Verbs = {QStringLiteral("Open")};
    info.Commands = {QStringLiteral("\"%1\" \"%2\"").arg(executable, QStringLiteral("%1"))};
    info.Extension = QStringLiteral(".vtr");
    info.ProperName = QStringLiteral("VTR");
    info.FullName = QStringLiteral("Tática do Vantrel");
    info.ContentType = QStringLiteral("tatica/vtr");
    info.IconPath = executable;
    info.IconIndex = 0;
    return info;
}

void RegisterFileType(const FileTypeInfo &info, const QString &dataHome)
{
    QString extension = info.Extension;
    if (!extension.startsWith(QLatin1Char('.')))
        extension.prepend(QLatin1Char('.'));
    const QString name = info.ProperName.toLower();
    const QString mime = QString::fromLatin1(kMimeType);

    writeFile(dataHome + QStringLiteral("/mime/packages/vantrel-%1.xml").arg(name),
              QStringLiteral(
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                  "  <mime-type type=\"%1\">\n"
                  "    <comment>%2</comment>\n"
                  "    <glob pattern=\"*%3\"/>\n"
                  "  </mime-type>\n"
                  "</mime-info>\n")
                  .arg(mime, xmlEscaped(info.FullName), xmlEscaped(extension)));

    const QString command = info.Commands.value(0);
    writeFile(dataHome + QStringLiteral("/applications/vantrel-%1.desktop").arg(name),
              QStringLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Vantrel\n"
                             "Comment=%1\n"
                             "Exec=%2\n"
                             "MimeType=%3;\n"
                             "Terminal=false\n"
                             "NoDisplay=true\n")
                  .arg(entryValue(info.FullName), execLine(command), mime));

    runWhenPresent(QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime"));
    runWhenPresent(QStringLiteral("update-desktop-database"),
                   dataHome + QStringLiteral("/applications"));
}

QString userDataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace vantrel::modFAssociation
