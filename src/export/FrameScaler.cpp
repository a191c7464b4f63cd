#include "export/FrameScaler.h"

#include "export/cDIBSection.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace vantrel {

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;

// For each target coordinate: the first source coordinate and the fixed-point
// weights of the source coordinates from there on (they sum to kWeightOne).
struct Taps
{
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> weights; // `width` entries per target coordinate
    int width = 0;
};

Taps tapsFor(int sourceSize, int targetSize)
{
    const double scale = double(targetSize) / sourceSize;
    const double radius = scale < 1.0 ? 1.0 / scale : 1.0; // in source pixels
    Taps t;
    t.width = int(std::ceil(radius)) * 2 + 1;
    t.first.resize(size_t(targetSize));
    t.count.resize(size_t(targetSize));
    t.weights.assign(size_t(targetSize) * size_t(t.width), 0);
    std::vector<double> w(size_t(t.width));
    for (int i = 0; i < targetSize; ++i) {
        const double centre = (i + 0.5) / scale - 0.5;
        const int lo = std::max(0, int(std::ceil(centre - radius)));
        const int hi = std::min(sourceSize - 1, int(std::floor(centre + radius)));
        double sum = 0;
        int n = 0;
        for (int x = lo; x <= hi && n < t.width; ++x, ++n) {
            w[size_t(n)] = std::max(0.0, 1.0 - std::abs(x - centre) / radius);
            sum += w[size_t(n)];
        }
        if (sum <= 0) { // a target pixel past the last source pixel
            w[0] = 1;
            sum = 1;
            n = 1;
        }
        t.first[size_t(i)] = lo;
        t.count[size_t(i)] = n;
        int given = 0;
        for (int k = 0; k < n; ++k) {
            const int weight = int(std::lround(w[size_t(k)] / sum * kWeightOne));
            t.weights[size_t(i) * size_t(t.width) + size_t(k)] = weight;
            given += weight;
        }
        // Rounding leftovers go to the largest tap, so a flat picture stays flat.
        const auto begin = t.weights.begin() + ptrdiff_t(size_t(i) * size_t(t.width));
        *std::max_element(begin, begin + n) += kWeightOne - given;
    }
    return t;
}

uint8_t toByte(int value)
{
    return uint8_t(std::clamp((value + kWeightOne / 2) >> kWeightBits, 0, 255));
}

} // namespace

void stretchInto(const BgrRows &source, cDIBSection &target)
{
    const int tw = target.Width();
    const int th = target.Height();
    if (target.isNull() || !source.bits || source.width <= 0 || source.height <= 0)
        return;
    if (source.width == tw && source.height == th) {
        for (int y = 0; y < th; ++y)
            std::memcpy(target.scanLine(y), source.row(y), size_t(tw) * 3);
        return;
    }

    const Taps across = tapsFor(source.width, tw);
    const Taps down = tapsFor(source.height, th);
    // Horizontal pass over every source row, kept at full precision (16 bits).
    std::vector<uint16_t> rows(size_t(source.height) * size_t(tw) * 3);
    for (int y = 0; y < source.height; ++y) {
        const uint8_t *in = source.row(y);
        uint16_t *out = rows.data() + size_t(y) * size_t(tw) * 3;
        for (int x = 0; x < tw; ++x) {
            const int *w = across.weights.data() + size_t(x) * size_t(across.width);
            const uint8_t *p = in + size_t(across.first[size_t(x)]) * 3;
            int b = 0, g = 0, r = 0;
            for (int k = 0; k < across.count[size_t(x)]; ++k, p += 3) {
                b += w[k] * p[0];
                g += w[k] * p[1];
                r += w[k] * p[2];
            }
            // 8 bits of picture and 8 bits of fraction.
            out[0] = uint16_t(std::clamp((b + (1 << 5)) >> 6, 0, 0xFFFF));
            out[1] = uint16_t(std::clamp((g + (1 << 5)) >> 6, 0, 0xFFFF));
            out[2] = uint16_t(std::clamp((r + (1 << 5)) >> 6, 0, 0xFFFF));
            out += 3;
        }
    }
    // Vertical pass into the target.
    const int n = tw * 3;
    std::vector<int> acc(static_cast<size_t>(n));
    for (int y = 0; y < th; ++y) {
        std::fill(acc.begin(), acc.end(), 0);
        const int *w = down.weights.data() + size_t(y) * size_t(down.width);
        for (int k = 0; k < down.count[size_t(y)]; ++k) {
            const uint16_t *in = rows.data() + size_t(down.first[size_t(y)] + k) * size_t(n);
            const int wk = w[k];
            for (int i = 0; i < n; ++i)
                acc[size_t(i)] += (wk * in[i]) >> 8;
        }
        uint8_t *out = target.scanLine(y);
        for (int i = 0; i < n; ++i)
            out[i] = toByte(acc[size_t(i)]);
    }
}

} // namespace vantrel
