// vantrel-cli: inspect and create strat files, build and dump language packs,
// run a headless chat host, and share or fetch a strat on its team board.

#include "cli/BoardCommand.h"
#include "cli/ChatHostCommand.h"
#include "cli/CliFailure.h"
#include "cli/LpkCommand.h"
#include "cli/RenderCommand.h"
#include "cli/StratJson.h"
#include "fileio/JsonInput.h"
#include "fileio/SafeFile.h"
#include "strat/StratFile.h"

#ifdef VANTREL_WITH_RENDER
#include "editor/HeadlessRender.h"
#endif

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QStringList>

#include <cstdio>

namespace {

using namespace vantrel;

constexpr int kUsageError = 2;

void out(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
}

int usage()
{
    std::fprintf(stderr, "usage: vantrel-cli info [--json] FILE.vtr\n"
                         "       vantrel-cli create DOC.json OUT.vtr\n"
                         "       vantrel-cli lpk build SOURCE.json OUT.lpk\n"
                         "       vantrel-cli lpk dump FILE.lpk\n"
                         "       vantrel-cli chat-host [--nick NAME] [--port N] [--bind ADDRESS]"
                         " [--board-port N]\n"
                         "       vantrel-cli board share HOST FILE.vtr [--port N]\n"
                         "       vantrel-cli board fetch HOST OUT.vtr [--port N] [--timeout S]\n"
                         "       vantrel-cli render FILE.vtr --image OUT.jpg [--frame N]\n"
                         "       vantrel-cli render FILE.vtr --video OUT [--frames N (<= 100000)]"
                         " [--codec raw|mjpeg|h264|gif] [--quality Q] [--half]"
                         " [--full-motion [--rate 64|32]]\n");
    return kUsageError;
}

QString summary(const Strat &s, const QString &path)
{
    int live = 0;
    for (int i = 1; i <= s.Objects.count(); ++i)
        live += s.Objects[i].isDeleted() ? 0 : 1;
    int points = 0;
    for (int i = 1; i <= s.Movements.count(); ++i)
        points += s.Movements[i].PointCount;
    return QStringLiteral("%1\n"
                          "  title:     %2\n"
                          "  overview:  %3\n"
                          "  objects:   %4 (%5 deleted)\n"
                          "  texts:     %6\n"
                          "  movements: %7 with %8 way points\n"
                          "  links:     %9\n"
                          "  drawings:  %10\n")
        .arg(path, s.Title.trimmed(), s.Overview.trimmed())
        .arg(s.Objects.count())
        .arg(s.Objects.count() - live)
        .arg(s.Texts.count())
        .arg(s.Movements.count())
        .arg(points)
        .arg(s.Links.count())
        .arg(qsizetype(s.drawings.size()));
}

int info(const QStringList &args)
{
    bool json = false;
    QString path;
    for (const QString &a : args) {
        if (a == QLatin1String("--json"))
            json = true;
        else if (path.isEmpty())
            path = a;
        else
            return usage();
    }
    if (path.isEmpty())
        return usage();
    Strat strat;
    const FileResult r = StratFile::read(path, strat);
    if (!r)
        return cliFail(r.message);
    if (!r.message.isEmpty()) // what was left out; the strat opened all the same
        std::fprintf(stderr, "vantrel-cli: %s: %s\n", path.toUtf8().constData(),
                     r.message.toUtf8().constData());
    if (json)
        out(QString::fromUtf8(
            QJsonDocument(StratJson::toJson(strat)).toJson(QJsonDocument::Indented)));
    else
        out(summary(strat, path));
    return 0;
}

int create(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    const FileResult target = SafeFile::checkTarget(args[1], {args[0]});
    if (!target)
        return cliFail(target.message);
    QJsonObject json;
    const FileResult read = readJsonObject(args[0], json);
    if (!read)
        return cliFail(read.message);
    Strat strat;
    QString error;
    if (!StratJson::fromJson(json, strat, &error))
        return cliFail(QStringLiteral("%1: %2").arg(args[0], error));
    const FileResult r = StratFile::write(args[1], strat);
    if (!r)
        return cliFail(r.message);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
#ifdef VANTREL_WITH_RENDER
    // Only a render opens windows (offscreen); the other commands need no display.
    if (argc > 1 && qstrcmp(argv[1], "render") == 0) {
        const std::unique_ptr<QCoreApplication> windows
            = HeadlessRender::makeApplication(argc, argv);
        return runRenderCommand(windows->arguments().mid(2));
    }
#endif
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("info"))
        return info(args);
    if (command == QLatin1String("create"))
        return create(args);
    if (command == QLatin1String("lpk"))
        return runLpkCommand(args);
    if (command == QLatin1String("chat-host"))
        return runChatHostCommand(args);
    if (command == QLatin1String("board"))
        return runBoardCommand(args);
    if (command == QLatin1String("render"))
        return runRenderCommand(args);
    return usage();
}
