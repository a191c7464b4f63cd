#pragma once

#include "i18n/PackFile.h"

#include <QJsonObject>
#include <QString>

namespace vantrel::PackJson {

// A pack as translators write it: "windows" (name, caption, controls with
// key, caption, toolTip and their overrides) and "strings" (id, text), all
// plain text. Fields that are empty or zero are left out; "headerA",
// "headerB", "window0", "string0", "control0", "first" and "value" carry the
// rest of a file so that toJson then fromJson gives the same bytes.
QJsonObject toJson(const PackData &pack);

// Builds a pack from that shape; missing fields are empty, missing headers
// the program's own. Returns false with a message naming what is wrong.
bool fromJson(const QJsonObject &json, PackData &pack, QString *error);

} // namespace vantrel::PackJson
