// Fuzzes the bitmap reader: any bytes give a bitmap or a "not a supported
// bitmap format" refusal, and whatever it accepts is consistent with the
// bytes that are really there.

#include "export/cDib.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vantrel;
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    cDib dib;
    const FileResult r = dib.CreateFromDevice(buffer, QStringLiteral("fuzz.bmp"));
    if (!r.ok) {
        if (!r.message.startsWith(QStringLiteral("File is not a supported bitmap format:\n")))
            std::abort();
        return 0;
    }
    const qint64 rows = qint64(dib.stride()) * dib.pixelHeight();
    if (dib.Width() <= 0 || rows > qint64(dib.SizeImage())
        || qint64(dib.BitOffset()) + dib.SizeImage() > qint64(size)
        || dib.SizeBitmapInfo() + 14 != dib.BitOffset())
        std::abort();
    // Copy every pixel byte the reader claims to hold (the sanitizer checks
    // the range), and turn the rows into a picture.
    const QByteArray pixels(reinterpret_cast<const char *>(dib.PointerToBits()),
                            qsizetype(dib.SizeImage()));
    if (pixels.size() != qsizetype(dib.SizeImage()))
        std::abort();
    if (dib.BitCount() == 24 && dib.toImage().size() != QSize(dib.Width(), dib.pixelHeight()))
        std::abort();
    return 0;
}
