// The desktop entry written for strat files holds any program path.
#include "app/modFAssociation.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// The Exec line read back as a desktop reads it: the value's escapes first,
// then the quoting of each argument, then "%%".
QStringList execArguments(const QString &entry)
{
    const qsizetype at = entry.indexOf(QStringLiteral("\nExec=")) + 6;
    const QString escaped = entry.mid(at, entry.indexOf(u'\n', at) - at);
    QString value;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar c = escaped[i];
        if (c != u'\\' || i + 1 == escaped.size()) {
            value += c;
            continue;
        }
        const QChar e = escaped[++i];
        value += e == u's' ? QChar(u' ') : e == u'n' ? QChar(u'\n') : e == u't' ? QChar(u'\t') : e;
    }
    QStringList args{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'"')
            quoted = !quoted;
        else if (quoted && c == u'\\' && i + 1 < value.size())
            args.last() += value[++i];
        else if (!quoted && c == u' ')
            args.append(QString());
        else
            args.last() += c;
    }
    for (QString &a : args)
        a.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return args;
}

TEST(FileAssociation, DesktopEntryHoldsAnyProgramPath)
{
    const QString validator
        = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    for (const QString &program : {
             QStringLiteral("/opt/Vantrel/vantrel"),
             QStringLiteral("/opt/100% sure/vantrel"),
             QStringLiteral("/home/$USER/`id`/vantrel"),
             QStringLiteral("/opt/say \"hi\"/back\\slash/vantrel"),
             QStringLiteral("/opt/ação; rm -rf ~ &/vantrel"),
         }) {
        SCOPED_TRACE(program.toStdString());
        QTemporaryDir data;
        modFAssociation::RegisterFileType(modFAssociation::stratFileType(program), data.path());
        const QString desktop = data.filePath(QStringLiteral("applications/vantrel-vtr.desktop"));
        QFile f(desktop);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(f.readAll());
        EXPECT_EQ(execArguments(entry), (QStringList{program, QStringLiteral("%f")}))
            << qPrintable(entry);
        if (validator.isEmpty())
            continue;
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(validator, {desktop});
        ASSERT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAll().toStdString() << qPrintable(entry);
    }
}

} // namespace
} // namespace vantrel
