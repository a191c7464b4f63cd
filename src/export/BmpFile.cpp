#include "export/BmpFile.h"

#include "export/cDIBSection.h"
#include "fileio/SafeFile.h"

#include <QFile>
#include <QtEndian>

namespace vantrel::BmpFile {

namespace {

void put16(char *p, quint16 v)
{
    qToLittleEndian(v, p);
}
void put32(char *p, quint32 v)
{
    qToLittleEndian(v, p);
}

} // namespace

QByteArray headers(const cDIBSection &dib)
{
    QByteArray h(kPixelOffset, '\0');
    char *p = h.data();
    const quint32 image = quint32(dib.sizeImage());
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, quint32(kPixelOffset) + image); // bfSize
    put32(p + 10, kPixelOffset);                 // bfOffBits
    p += kFileHeaderSize;
    put32(p, kInfoHeaderSize);           // biSize
    put32(p + 4, quint32(dib.Width()));  // biWidth
    put32(p + 8, quint32(dib.Height())); // biHeight: positive, bottom-up
    put16(p + 12, 1);                    // biPlanes
    put16(p + 14, 24);                   // biBitCount
    put32(p + 20, image);                // biSizeImage; compression and the rest 0
    return h;
}

QByteArray encode(const cDIBSection &dib)
{
    QByteArray bytes = headers(dib);
    bytes.append(reinterpret_cast<const char *>(dib.DIBSectionBitsPtr()), dib.sizeImage());
    return bytes;
}

FileResult write(const QString &path, const cDIBSection &dib)
{
    if (dib.isNull())
        return FileResult::failure(fileError(path, QStringLiteral("no picture")));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return FileResult::failure(fileError(path, file.errorString()));
    const QByteArray head = headers(dib);
    if (file.write(head) != head.size()
        || file.write(reinterpret_cast<const char *>(dib.DIBSectionBitsPtr()), dib.sizeImage())
               != dib.sizeImage()
        || !file.flush())
        return FileResult::failure(fileError(path, file.errorString()));
    return FileResult::success();
}

} // namespace vantrel::BmpFile
