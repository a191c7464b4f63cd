#pragma once

#include <cstdint>

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

// Stretches a picture into a DIB of another size with smooth filtering: every
// target pixel is a weighted mean of the source pixels under it (a tent
// filter, widened when shrinking), much like a halftone stretch. The target
// keeps its size; a source of the same size is copied as it is.
void stretchInto(const BgrRows &source, cDIBSection &target);

} // namespace vantrel
