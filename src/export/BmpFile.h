#pragma once

#include "fileio/FileResult.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

class cDIBSection;

// Windows bitmap files as the recording writes them: 24 bits, bottom-up, a
// 14-byte file header, the 40-byte info header, the pixels at byte 54.
namespace BmpFile {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelOffset = kFileHeaderSize + kInfoHeaderSize;

// The 54 header bytes of a 24-bit bitmap of the DIB's size.
QByteArray headers(const cDIBSection &dib);
// The whole file.
QByteArray encode(const cDIBSection &dib);
// Writes the file in place (frame files and temp.bmp are scratch files, so
// they are simply overwritten); the message names the file and the reason.
FileResult write(const QString &path, const cDIBSection &dib);

} // namespace BmpFile

} // namespace vantrel
