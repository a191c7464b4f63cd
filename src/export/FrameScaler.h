#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

class cDIBSection;

// A view of 24-bit BGR pixel rows: `stride` bytes apart, the first row the
// bottom of the picture when `bottomUp` (as DIBs and BMP files keep them).
struct BgrRows
{
    const uint8_t *bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    bool bottomUp = true;

    const uint8_t *row(int y) const
    {
        return bits + int64_t(bottomUp ? height - 1 - y : y) * stride;
    }
};

// Stretches pictures into a DIB of another size with smooth filtering: every
// target pixel is a weighted mean of the source pixels under it (a tent
// filter, widened when shrinking), much like a halftone stretch. The target
// keeps its size; a source of the same size is copied as it is. The filter
// and the working rows are kept from one picture to the next of the same
// sizes, so the frames of a video cost the arithmetic alone.
class FrameScaler
{
public:
    void stretch(const BgrRows &source, cDIBSection &target);

    // For each target coordinate: the first source coordinate and the
    // fixed-point weights (summing to 1 << 14) of the source coordinates from
    // there on, zero weights left out.
    struct Taps
    {
        std::vector<int> first;
        std::vector<int> count;
        std::vector<int> weights; // `width` entries per target coordinate
        int width = 0;
    };

private:
    // An enlargement's taps across, at most two per target pixel: the byte
    // offsets of both source pixels, the weights per channel, and the rows
    // they are gathered into.
    struct TwoTaps
    {
        std::vector<int> first, second;
        std::vector<uint16_t> w0, w1;
        std::size_t wide = 0; // leading pixels fetched four bytes at a time
        std::vector<uint8_t> a, b;

        // Empty when some target pixel has more than two taps.
        void build(const Taps &taps, int sourceWidth);
        bool enabled() const { return !first.empty(); }
    };

    void horizontal(const BgrRows &source, int targetWidth);
    void vertical(cDIBSection &target) const;

    int m_sourceWidth = 0, m_sourceHeight = 0, m_targetWidth = 0, m_targetHeight = 0;
    Taps m_across;
    TwoTaps m_two;
    Taps m_down;
    std::vector<uint16_t> m_rows; // the source rows stretched across, 8.8 fixed point
};

// One picture stretched with a scaler of its own.
void stretchInto(const BgrRows &source, cDIBSection &target);

} // namespace vantrel
