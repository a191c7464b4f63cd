#pragma once

#include "fileio/FileResult.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

class cDIBSection;

// Baseline JPEG through libjpeg-turbo, straight from a DIB's bottom-up BGR
// rows with their padding.
namespace JpegWriter {

constexpr int kDefaultQuality = 90;

// The JPEG bytes of the picture; fails for an empty DIB or an encoder error.
FileResult encode(const cDIBSection &dib, QByteArray &jpeg, int quality = kDefaultQuality);

// Encodes and writes `fileName` (taken as given: the caller applies the
// ".jpg" rule) atomically, keeping a replaced file's times and permissions.
FileResult write(const cDIBSection &dib, const QString &fileName, int quality = kDefaultQuality);

} // namespace JpegWriter

} // namespace vantrel
