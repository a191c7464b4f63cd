#pragma once

#include "fileio/FileResult.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>

#include <cstdint>

namespace vantrel {

// A Windows bitmap (BMP) file read into memory: its headers, its bitmap info
// bytes (info header and colour table as stored) and its pixel bytes.
// Uncompressed bitmaps of 1, 4, 8, 16, 24 and 32 bits are read (16 and 32 also
// with bit-field masks); every header field is checked against the file's
// real size before anything is allocated.
class cDib
{
public:
    // Reads `filename`. On failure the object is empty and the result carries
    // the message to show: "File does not exist:", "File is locked - cannot
    // access:" or "File is not a supported bitmap format:", a line break and
    // the name; any other open error gives the system's own description.
    FileResult CreateFromFile(const QString &filename);
    // The same from an open device; `filename` is for the messages only.
    FileResult CreateFromDevice(QIODevice &device, const QString &filename);
    void clear() { *this = cDib(); }

    bool isNull() const { return m_bits.isEmpty(); }

    // Info header.
    int32_t Width() const { return m_biWidth; }
    int32_t Height() const { return m_biHeight; }
    uint16_t BitCount() const { return m_biBitCount; }
    uint16_t Planes() const { return m_biPlanes; }
    uint32_t Compression() const { return m_biCompression; }
    uint32_t SizeInfoHeader() const { return m_biSize; }
    // The header's biSizeImage, or the size computed from the width, height
    // and bit count when the file leaves it 0.
    uint32_t SizeImage() const { return m_biSizeImage; }
    int32_t XPPM() const { return m_biXPelsPerMeter; }
    int32_t YPPM() const { return m_biYPelsPerMeter; }
    uint32_t ClrUsed() const { return m_biClrUsed; }
    uint32_t ClrImportant() const { return m_biClrImportant; }
    // File header.
    uint16_t FileType() const { return m_bfType; }
    uint32_t SizeFileHeader() const { return m_bfSize; }
    uint32_t BitOffset() const { return m_bfOffBits; }

    const uint8_t *PointerToBits() const
    {
        return reinterpret_cast<const uint8_t *>(m_bits.constData());
    }
    const uint8_t *PointerToBitmapInfo() const
    {
        return reinterpret_cast<const uint8_t *>(m_info.constData());
    }
    uint32_t SizeBitmapInfo() const { return uint32_t(m_info.size()); }

    // Bytes per pixel row (rows are padded to four bytes), and whether row 0
    // of the pixel bytes is the bottom of the picture (a positive height).
    int stride() const { return m_stride; }
    bool isBottomUp() const { return m_biHeight > 0; }
    int pixelHeight() const { return m_biHeight > 0 ? m_biHeight : -m_biHeight; }

    // The picture, for any of the formats read; null when empty.
    QImage toImage() const;

private:
    QByteArray m_bits;
    QByteArray m_info;
    uint32_t m_biSize = 0;
    int32_t m_biWidth = 0;
    int32_t m_biHeight = 0;
    uint16_t m_biPlanes = 0;
    uint16_t m_biBitCount = 0;
    uint32_t m_biCompression = 0;
    uint32_t m_biSizeImage = 0;
    int32_t m_biXPelsPerMeter = 0;
    int32_t m_biYPelsPerMeter = 0;
    uint32_t m_biClrUsed = 0;
    uint32_t m_biClrImportant = 0;
    uint16_t m_bfType = 0;
    uint32_t m_bfSize = 0;
    uint16_t m_bfReserved1 = 0;
    uint16_t m_bfReserved2 = 0;
    uint32_t m_bfOffBits = 0;
    int m_stride = 0;
};

} // namespace vantrel
