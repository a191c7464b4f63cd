#pragma once

#include <QJsonObject>
#include <QString>

namespace vantrel {

// Reads a JSON file whose document is one object; false with a message that
// names the file otherwise.
bool readJsonObject(const QString &path, QJsonObject &object, QString *error);

} // namespace vantrel
