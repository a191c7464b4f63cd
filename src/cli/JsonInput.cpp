#include "cli/JsonInput.h"

#include <QFile>
#include <QJsonDocument>

namespace vantrel {

bool readJsonObject(const QString &path, QJsonObject &object, QString *error)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, in.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("%1: %2 at offset %3")
                     .arg(path, parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("%1: the document is not a JSON object").arg(path);
        return false;
    }
    object = doc.object();
    return true;
}

} // namespace vantrel
