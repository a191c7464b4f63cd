#pragma once

#include "fileio/FileResult.h"

#include <QJsonObject>
#include <QString>

namespace vantrel {

// Reads a JSON file whose document is one object, through the bounded reader
// of regular files (at most 64 MiB: a FIFO or a device is refused, not
// waited on). A failure's message names the file and what is wrong.
FileResult readJsonObject(const QString &path, QJsonObject &object);

} // namespace vantrel
