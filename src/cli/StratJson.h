#pragma once

#include "strat/StratRecords.h"

#include <QJsonObject>
#include <QString>

namespace vantrel::StratJson {

// The strat as the program holds it after opening it, as one JSON object:
// overview, title, objects, texts, colors, movements, links (records 1..count)
// and drawings. Texts are full Unicode.
QJsonObject toJson(const Strat &strat);

// Builds a strat from a JSON object of the same shape; missing lists are
// empty. Returns false with a message naming what is wrong.
bool fromJson(const QJsonObject &json, Strat &strat, QString *error);

} // namespace vantrel::StratJson
