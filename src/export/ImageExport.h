#pragma once

#include "fileio/FileResult.h"

#include <QImage>
#include <QString>

namespace vantrel {

// Exporta's work once the window is captured: the ".jpg" name rule, the
// picture into a DIB, the JPEG of the given quality written safely over any
// older file (keeping its times and permissions). The message of a failure
// names the file and the reason.
FileResult exportImage(const QImage &picture, const QString &typedName, int quality = 90);

} // namespace vantrel
