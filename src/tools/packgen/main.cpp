// vantrel-packgen ASSETS PROGRAM: writes what ships beside the program from
// its readable sources, with the program's own writers:
//   ASSETS/lang/NAME.json      -> PROGRAM/lang/NAME.lpk   (language packs)
//   ASSETS/tips/NAME.txt       -> PROGRAM/NAME.dat        (tips, Windows-1252, CR LF)
//   ASSETS/examples/NAME.json  -> PROGRAM/NAME.vtr        (example strats)
// Every pack's "s0000" must name one of the tips files written.

#include "cli/StratJson.h"
#include "fileio/JsonInput.h"
#include "fileio/RegularFile.h"
#include "fileio/SafeFile.h"
#include "i18n/PackFile.h"
#include "i18n/PackJson.h"
#include "i18n/TipsFile.h"
#include "strat/Ansi.h"
#include "strat/StratFile.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

using namespace vantrel;

bool fail(const QString &message)
{
    std::fprintf(stderr, "vantrel-packgen: %s\n", message.toUtf8().constData());
    return false;
}

QStringList sources(const QString &folder, const QString &pattern)
{
    QDir dir(folder);
    QStringList paths;
    for (const QString &name : dir.entryList({pattern}, QDir::Files, QDir::Name))
        paths.append(dir.filePath(name));
    return paths;
}

bool writeTips(const QString &source, const QString &target)
{
    QByteArray text;
    const FileResult read = readRegularFile(source, TipsFile::kMaxSize, text);
    if (!read)
        return fail(read.message);
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QByteArray bytes;
    for (const QString &line : lines) {
        const QByteArray encoded = Ansi::encode(line);
        if (Ansi::decode(encoded) != line)
            return fail(
                QStringLiteral("%1: \"%2\" has characters outside Windows-1252").arg(source, line));
        bytes += encoded + "\r\n";
    }
    const FileResult written = SafeFile::replace(target, bytes);
    return written ? true : fail(written.message);
}

bool writePack(const QString &source, const QString &target, const QStringList &tipsFiles)
{
    QJsonObject json;
    const FileResult read = readJsonObject(source, json);
    if (!read)
        return fail(read.message);
    QString error;
    PackData pack;
    if (!PackJson::fromJson(json, pack, &error))
        return fail(QStringLiteral("%1: %2").arg(source, error));
    for (const PackString &s : pack.strings) {
        if (s.name == QLatin1String("s0000") && !tipsFiles.contains(s.value))
            return fail(
                QStringLiteral("%1: s0000 names %2, which is not shipped").arg(source, s.value));
    }
    const FileResult r = PackFile::write(target, pack);
    return r ? true : fail(r.message);
}

bool writeExample(const QString &source, const QString &target)
{
    QJsonObject json;
    const FileResult read = readJsonObject(source, json);
    if (!read)
        return fail(read.message);
    QString error;
    Strat strat;
    if (!StratJson::fromJson(json, strat, &error))
        return fail(QStringLiteral("%1: %2").arg(source, error));
    const FileResult r = StratFile::write(target, strat);
    return r ? true : fail(r.message);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: vantrel-packgen ASSETS PROGRAM\n");
        return 2;
    }
    const QDir assets(args[1]);
    const QDir program(args[2]);
    program.mkpath(QStringLiteral("lang"));

    QStringList tipsFiles;
    for (const QString &source :
         sources(assets.filePath(QStringLiteral("tips")), QStringLiteral("*.txt"))) {
        const QString name = QFileInfo(source).completeBaseName() + QStringLiteral(".dat");
        if (!writeTips(source, program.filePath(name)))
            return 1;
        tipsFiles.append(name);
    }
    for (const QString &source :
         sources(assets.filePath(QStringLiteral("lang")), QStringLiteral("*.json"))) {
        const QString name = QFileInfo(source).completeBaseName() + QStringLiteral(".lpk");
        if (!writePack(source, program.filePath(QStringLiteral("lang/") + name), tipsFiles))
            return 1;
    }
    for (const QString &source :
         sources(assets.filePath(QStringLiteral("examples")), QStringLiteral("*.json"))) {
        const QString name = QFileInfo(source).completeBaseName() + QStringLiteral(".vtr");
        if (!writeExample(source, program.filePath(name)))
            return 1;
    }
    return 0;
}
