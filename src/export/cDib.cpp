#include "export/cDib.h"

#include "export/BmpFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>

namespace vantrel {

namespace {

constexpr uint16_t kBitmapType = 0x4D42; // "BM"
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kLargestInfoHeader = 124; // BITMAPV5HEADER

uint16_t get16(const char *p)
{
    return qFromLittleEndian<uint16_t>(p);
}
uint32_t get32(const char *p)
{
    return qFromLittleEndian<uint32_t>(p);
}

bool supportedDepth(uint16_t bitCount, uint32_t compression)
{
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        return compression == kBiRgb;
    case 16:
    case 32:
        return compression == kBiRgb || compression == kBiBitFields;
    default:
        return false;
    }
}

} // namespace

FileResult cDib::CreateFromFile(const QString &filename)
{
    clear();
    const QString nl = QStringLiteral("\n");

    const QFileInfo info(filename);
    if (!info.exists())
        return FileResult::failure(QStringLiteral("File does not exist:") + nl + filename,
                                   MsgIcon::Critical);
    QFile file(filename);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        if (errno == EACCES || errno == EPERM || !info.isReadable())
            return FileResult::failure(QStringLiteral("File is locked - cannot access:") + nl
                                           + filename,
                                       MsgIcon::Critical);
        return FileResult::failure(file.errorString(), MsgIcon::Information);
    }
    return CreateFromDevice(file, filename);
}

FileResult cDib::CreateFromDevice(QIODevice &file, const QString &filename)
{
    clear();
    auto unsupported = [&] {
        clear();
        return FileResult::failure(QStringLiteral("File is not a supported bitmap format:\n")
                                       + filename,
                                   MsgIcon::Information);
    };
    const qint64 fileSize = file.size();

    const QByteArray head = file.read(BmpFile::kPixelOffset);
    if (head.size() < BmpFile::kFileHeaderSize || get16(head.constData()) != kBitmapType)
        return unsupported();
    if (head.size() < BmpFile::kPixelOffset)
        return unsupported();
    const char *f = head.constData();
    m_bfType = get16(f);
    m_bfSize = get32(f + 2);
    m_bfReserved1 = get16(f + 6);
    m_bfReserved2 = get16(f + 8);
    m_bfOffBits = get32(f + 10);
    const char *h = f + BmpFile::kFileHeaderSize;
    m_biSize = get32(h);
    m_biWidth = int32_t(get32(h + 4));
    m_biHeight = int32_t(get32(h + 8));
    m_biPlanes = get16(h + 12);
    m_biBitCount = get16(h + 14);
    m_biCompression = get32(h + 16);
    m_biSizeImage = get32(h + 20);
    m_biXPelsPerMeter = int32_t(get32(h + 24));
    m_biYPelsPerMeter = int32_t(get32(h + 28));
    m_biClrUsed = get32(h + 32);
    m_biClrImportant = get32(h + 36);

    // Every field against the others and against what the file really holds.
    if (m_biSize < uint32_t(BmpFile::kInfoHeaderSize) || m_biSize > kLargestInfoHeader)
        return unsupported();
    if (m_biPlanes != 1 || !supportedDepth(m_biBitCount, m_biCompression))
        return unsupported();
    if (m_biWidth <= 0 || m_biHeight == 0 || m_biHeight == INT32_MIN)
        return unsupported();
    const qint64 height = m_biHeight > 0 ? m_biHeight : -qint64(m_biHeight);
    const qint64 stride = (qint64(m_biWidth) * m_biBitCount + 31) / 32 * 4;
    // The rows must fit the file; checked by division, as the product of two
    // lying fields can overflow.
    if (stride > fileSize || height > fileSize / stride)
        return unsupported();
    const qint64 needed = stride * height;
    qint64 tableEntries = m_biClrUsed;
    if (m_biBitCount <= 8) {
        const qint64 most = qint64(1) << m_biBitCount;
        if (tableEntries > most || m_biClrImportant > most)
            return unsupported();
        if (tableEntries == 0)
            tableEntries = most;
    }
    qint64 tableBytes = tableEntries * 4;
    if (m_biCompression == kBiBitFields && m_biSize == uint32_t(BmpFile::kInfoHeaderSize))
        tableBytes += 12; // the three masks follow the header
    const qint64 offBits = m_bfOffBits;
    if (offBits < BmpFile::kFileHeaderSize + qint64(m_biSize) + tableBytes || offBits > fileSize)
        return unsupported();
    qint64 imageSize = m_biSizeImage;
    if (imageSize == 0)
        imageSize = needed;
    if (imageSize < needed || offBits + imageSize > fileSize || imageSize > INT32_MAX)
        return unsupported();
    if (m_bfSize != 0 && (m_bfSize < offBits + imageSize || m_bfSize > fileSize))
        return unsupported();
    m_biSizeImage = uint32_t(imageSize);
    m_stride = int(stride);

    // Sizes are now bounded by the file: read the info bytes and the pixels.
    if (!file.seek(BmpFile::kFileHeaderSize))
        return unsupported();
    m_info = file.read(offBits - BmpFile::kFileHeaderSize);
    if (!file.seek(offBits))
        return unsupported();
    m_bits = file.read(imageSize);
    if (m_info.size() != offBits - BmpFile::kFileHeaderSize || m_bits.size() != imageSize)
        return unsupported();
    return FileResult::success();
}

QImage cDib::toImage() const
{
    if (isNull())
        return {};
    if (m_biBitCount == 24) {
        QImage image(m_biWidth, pixelHeight(), QImage::Format_BGR888);
        for (int y = 0; y < image.height(); ++y) {
            const int row = isBottomUp() ? image.height() - 1 - y : y;
            memcpy(image.scanLine(y), m_bits.constData() + qsizetype(row) * m_stride,
                   size_t(m_biWidth) * 3);
        }
        return image;
    }
    // The other depths: let Qt's bitmap reader decode the same bytes.
    QByteArray file(BmpFile::kFileHeaderSize, '\0');
    qToLittleEndian<uint16_t>(m_bfType, file.data());
    qToLittleEndian<uint32_t>(uint32_t(BmpFile::kFileHeaderSize + m_info.size() + m_bits.size()),
                              file.data() + 2);
    qToLittleEndian<uint32_t>(m_bfOffBits, file.data() + 10);
    file += m_info;
    file += m_bits;
    return QImage::fromData(file, "BMP");
}

} // namespace vantrel
