#pragma once

#include <QImage>
#include <QRect>
#include <QVector>

#include <array>
#include <cstdint>
#include <vector>

namespace vantrel {

// The one palette of an animated GIF, computed from its frames: colours are
// counted as frames come in (a whole first frame, then only what changed), cut
// into at most 255 colours by median cut, and index 255 is left transparent
// so the encoder can mark unchanged pixels. Pictures are mapped onto it with
// an ordered dither, which keeps still parts identical from frame to frame.
class GifPalette
{
public:
    static constexpr int kColours = 255;
    static constexpr int kTransparent = 255;

    GifPalette();

    // Counts the colours of `rect` in `image` (Format_RGB32).
    void count(const QImage &image, const QRect &rect);
    // Cuts the counted colours into the palette; call once, after counting.
    void build();

    // 256 entries, 0xAARRGGBB, the last one transparent.
    const std::array<uint32_t, 256> &entries() const { return m_entries; }
    int colourCount() const { return m_colourCount; }

    // Maps `image` (Format_RGB32) onto the palette, one index byte a pixel.
    void map(const QImage &image, uint8_t *indices, int lineSize);

private:
    int nearest(int r, int g, int b) const;

    std::vector<uint64_t> m_count;
    std::vector<uint64_t> m_sum; // r, g, b sums per histogram cell
    std::array<uint32_t, 256> m_entries{};
    int m_colourCount = 0;
    std::vector<int16_t> m_lookup; // 6 bits a channel to palette index, -1 unknown
};

} // namespace vantrel
