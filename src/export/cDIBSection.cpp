#include "export/cDIBSection.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vantrel {

bool cDIBSection::Create(int lWidth, int lHeight)
{
    ClearUp();
    // Bounded so that the row size and the whole size fit their 32-bit header fields.
    if (lWidth <= 0 || lHeight <= 0 || lWidth > 65535 || lHeight > 65535)
        return false;
    try {
        m_bits.assign(size_t(bytesPerScanLine(lWidth)) * size_t(lHeight), 0);
    } catch (const std::bad_alloc &) {
        ClearUp();
        return false;
    }
    m_width = lWidth;
    m_height = lHeight;
    return true;
}

bool cDIBSection::CreateFromPicture(const QImage &picThis)
{
    if (picThis.isNull() || !Create(picThis.width(), picThis.height()))
        return false;
    LoadPictureBlt(picThis);
    return true;
}

void cDIBSection::LoadPictureBlt(const QImage &source, int lSrcLeft, int lSrcTop, int lSrcWidth,
                                 int lSrcHeight)
{
    if (isNull() || source.isNull())
        return;
    if (lSrcWidth < 0)
        lSrcWidth = m_width;
    if (lSrcHeight < 0)
        lSrcHeight = m_height;
    // Clip the rectangle to the source and to the DIB.
    int dx = 0, dy = 0;
    if (lSrcLeft < 0) {
        dx = -lSrcLeft;
        lSrcWidth += lSrcLeft;
        lSrcLeft = 0;
    }
    if (lSrcTop < 0) {
        dy = -lSrcTop;
        lSrcHeight += lSrcTop;
        lSrcTop = 0;
    }
    const int w = std::min({lSrcWidth, source.width() - lSrcLeft, m_width - dx});
    const int h = std::min({lSrcHeight, source.height() - lSrcTop, m_height - dy});
    if (w <= 0 || h <= 0)
        return;
    const bool whole = lSrcLeft == 0 && lSrcTop == 0 && w == source.width() && h == source.height();
    const QImage bgr = (whole ? source : source.copy(lSrcLeft, lSrcTop, w, h))
                           .convertToFormat(QImage::Format_BGR888);
    for (int y = 0; y < h; ++y)
        std::memcpy(scanLine(dy + y) + 3 * dx, bgr.constScanLine(y), size_t(w) * 3);
}

void cDIBSection::ClearUp()
{
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_width = 0;
    m_height = 0;
}

QImage cDIBSection::toImage() const
{
    if (isNull())
        return {};
    QImage image(m_width, m_height, QImage::Format_BGR888);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(image.scanLine(y), scanLine(y), size_t(m_width) * 3);
    return image;
}

} // namespace vantrel
