#include "cli/LpkCommand.h"

#include "cli/CliFailure.h"
#include "fileio/JsonInput.h"
#include "fileio/SafeFile.h"
#include "i18n/PackFile.h"
#include "i18n/PackJson.h"

#include <QJsonDocument>

#include <cstdio>

namespace vantrel {

namespace {

int usage()
{
    std::fprintf(stderr, "usage: vantrel-cli lpk build SOURCE.json OUT.lpk\n"
                         "       vantrel-cli lpk dump FILE.lpk\n");
    return 2;
}

int build(const QString &source, const QString &target)
{
    const FileResult output = SafeFile::checkTarget(target, {source});
    if (!output)
        return cliFail(output.message);
    QJsonObject json;
    const FileResult read = readJsonObject(source, json);
    if (!read)
        return cliFail(read.message);
    PackData pack;
    QString error;
    if (!PackJson::fromJson(json, pack, &error))
        return cliFail(QStringLiteral("%1: %2").arg(source, error));
    const FileResult r = PackFile::write(target, pack);
    if (!r)
        return cliFail(r.message);
    return 0;
}

int dump(const QString &path)
{
    PackData pack;
    const FileResult r = PackFile::read(path, pack);
    if (!r)
        return cliFail(r.message);
    const QByteArray text = QJsonDocument(PackJson::toJson(pack)).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
}

} // namespace

int runLpkCommand(const QStringList &args)
{
    if (args.size() == 3 && args[0] == QLatin1String("build"))
        return build(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("dump"))
        return dump(args[1]);
    return usage();
}

} // namespace vantrel
