#include "fileio/JsonInput.h"

#include "fileio/RegularFile.h"

#include <QJsonDocument>

namespace vantrel {

namespace {

// Far more than any strat or pack written as JSON.
constexpr qint64 kMaxJsonSize = 64 * 1024 * 1024;

} // namespace

FileResult readJsonObject(const QString &path, QJsonObject &object)
{
    QByteArray bytes;
    const FileResult read = readRegularFile(path, kMaxJsonSize, bytes);
    if (!read)
        return read;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return FileResult::failure(fileError(path, QStringLiteral("%1 at offset %2")
                                                       .arg(parseError.errorString())
                                                       .arg(parseError.offset)));
    if (!doc.isObject())
        return FileResult::failure(
            fileError(path, QStringLiteral("the document is not a JSON object")));
    object = doc.object();
    return FileResult::success();
}

} // namespace vantrel
