#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace vantrel {

// A 24-bit device-independent bitmap held in memory: rows bottom-up, pixels
// in blue, green, red order, every row padded to a multiple of four bytes.
// It hands a picture's pixels to the JPEG, BMP and AVI writers as one block.
class cDIBSection
{
public:
    cDIBSection() = default;
    ~cDIBSection() { ClearUp(); }

    // Makes a black DIB of the given size; false (and cleared) when the size
    // is not positive or the memory cannot be had.
    bool Create(int lWidth, int lHeight);
    // A DIB of the picture's size holding the picture (a captured window).
    // False for a null picture.
    bool CreateFromPicture(const QImage &picThis);
    // Copies a rectangle of `source` into the DIB at (0, 0); a width or height
    // below 0 means the DIB's own. Parts outside either picture are left alone.
    void LoadPictureBlt(const QImage &source, int lSrcLeft = 0, int lSrcTop = 0, int lSrcWidth = -1,
                        int lSrcHeight = -1);
    void ClearUp();

    bool isNull() const { return m_bits.empty(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // (width × 3 + 3) with the two low bits cleared.
    int BytesPerScanLine() const { return bytesPerScanLine(m_width); }
    static int bytesPerScanLine(int width) { return (width * 3 + 3) & ~3; }
    // Pad bytes at the end of each row.
    int rowPadding() const { return BytesPerScanLine() - 3 * m_width; }
    int sizeImage() const { return BytesPerScanLine() * m_height; }

    // The first byte of the pixel rows: the bottom row of the picture.
    uint8_t *DIBSectionBitsPtr() { return m_bits.data(); }
    const uint8_t *DIBSectionBitsPtr() const { return m_bits.data(); }
    // Row `y` of the picture counted from the top, BGR with its padding.
    uint8_t *scanLine(int y) { return m_bits.data() + rowOffset(y); }
    const uint8_t *scanLine(int y) const { return m_bits.data() + rowOffset(y); }

    // The picture back as an image (for checks and previews).
    QImage toImage() const;

private:
    size_t rowOffset(int y) const { return size_t(m_height - 1 - y) * size_t(BytesPerScanLine()); }

    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_bits;
};

} // namespace vantrel
