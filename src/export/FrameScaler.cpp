#include "export/FrameScaler.h"

#include "export/cDIBSection.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vantrel {

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;
// The rows stretched across keep 8 bits of fraction: weight bits less 6.
constexpr int kAcrossShift = kWeightBits - 8;
constexpr int kDownShift = kWeightBits + 8;

FrameScaler::Taps tapsFor(int sourceSize, int targetSize)
{
    const double scale = double(targetSize) / sourceSize;
    const double radius = scale < 1.0 ? 1.0 / scale : 1.0; // in source pixels
    FrameScaler::Taps t;
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
        int first = -1;
        for (int x = lo; x <= hi && n < t.width; ++x) {
            const double weight = std::max(0.0, 1.0 - std::abs(x - centre) / radius);
            if (weight <= 0) // the tent's feet: nothing to add
                continue;
            if (first < 0)
                first = x;
            w[size_t(n++)] = weight;
            sum += weight;
        }
        if (sum <= 0) { // a target pixel past the last source pixel
            first = std::clamp(int(std::lround(centre)), 0, sourceSize - 1);
            w[0] = 1;
            sum = 1;
            n = 1;
        }
        t.first[size_t(i)] = first;
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

} // namespace

void FrameScaler::TwoTaps::build(const Taps &taps, int sourceWidth)
{
    first.clear();
    second.clear();
    w0.clear();
    w1.clear();
    if (*std::max_element(taps.count.begin(), taps.count.end()) > 2)
        return;
    const size_t n = taps.first.size();
    for (size_t x = 0; x < n; ++x) {
        const int *w = taps.weights.data() + x * size_t(taps.width);
        const int at = taps.first[x] * 3;
        // A single tap reads its pixel twice, the second time weighing nothing.
        const bool two = taps.count[x] == 2;
        first.push_back(at);
        second.push_back(two ? at + 3 : at);
        for (int c = 0; c < 3; ++c) {
            w0.push_back(uint16_t(w[0]));
            w1.push_back(uint16_t(two ? w[1] : 0));
        }
    }
    // Pixels are fetched four bytes at a time where the fourth is still in
    // the row; offsets only grow, so those are the leading ones.
    wide = 0;
    while (wide < n && second[wide] + 4 <= sourceWidth * 3)
        ++wide;
    a.resize(n * 3 + 1);
    b.resize(n * 3 + 1);
}

// Every source row stretched across into 8.8 fixed point. Weights are
// never negative and sum to one, so no value leaves its range.
void FrameScaler::horizontal(const BgrRows &source, int targetWidth)
{
    constexpr int half = 1 << (kAcrossShift - 1);
    const size_t n = size_t(targetWidth) * 3;
    for (int y = 0; y < source.height; ++y) {
        const uint8_t *in = source.row(y);
        uint16_t *out = m_rows.data() + size_t(y) * n;
        if (m_two.enabled()) {
            // An enlargement: each target pixel from two source pixels. Both
            // are gathered into rows of their own, which then blend in one
            // loop the compiler turns into vector code.
            TwoTaps &t = m_two;
            uint8_t *a = t.a.data();
            uint8_t *b = t.b.data();
            size_t x = 0;
            for (; x < t.wide; ++x) {
                std::memcpy(a + 3 * x, in + t.first[x], 4);
                std::memcpy(b + 3 * x, in + t.second[x], 4);
            }
            for (; x < size_t(targetWidth); ++x) {
                std::memcpy(a + 3 * x, in + t.first[x], 3);
                std::memcpy(b + 3 * x, in + t.second[x], 3);
            }
            const uint16_t *w0 = t.w0.data();
            const uint16_t *w1 = t.w1.data();
            for (size_t i = 0; i < n; ++i)
                out[i] = uint16_t((w0[i] * a[i] + w1[i] * b[i] + half) >> kAcrossShift);
            continue;
        }
        for (int x = 0; x < targetWidth; ++x, out += 3) {
            const int *w = m_across.weights.data() + size_t(x) * size_t(m_across.width);
            const uint8_t *p = in + size_t(m_across.first[size_t(x)]) * 3;
            const int count = m_across.count[size_t(x)];
            int b = 0, g = 0, r = 0;
            for (int k = 0; k < count; ++k, p += 3) {
                b += w[k] * p[0];
                g += w[k] * p[1];
                r += w[k] * p[2];
            }
            out[0] = uint16_t((b + half) >> kAcrossShift);
            out[1] = uint16_t((g + half) >> kAcrossShift);
            out[2] = uint16_t((r + half) >> kAcrossShift);
        }
    }
}

// The stretched rows blended down into the target; a target row of two
// taps (any enlargement) is one loop the compiler turns into vector code.
void FrameScaler::vertical(cDIBSection &target) const
{
    const int n = target.Width() * 3;
    constexpr int half = 1 << (kDownShift - 1);
    std::vector<int> acc;
    for (int y = 0; y < target.Height(); ++y) {
        const int *w = m_down.weights.data() + size_t(y) * size_t(m_down.width);
        const int count = m_down.count[size_t(y)];
        const uint16_t *a = m_rows.data() + size_t(m_down.first[size_t(y)]) * size_t(n);
        uint8_t *out = target.scanLine(y);
        if (count == 2) {
            const uint16_t *b = a + n;
            const int w0 = w[0], w1 = w[1];
            for (int i = 0; i < n; ++i)
                out[i] = uint8_t((w0 * a[i] + w1 * b[i] + half) >> kDownShift);
        } else if (count == 1) {
            for (int i = 0; i < n; ++i)
                out[i] = uint8_t((a[i] + 128) >> 8);
        } else {
            acc.assign(size_t(n), half);
            for (int k = 0; k < count; ++k, a += n)
                for (int i = 0; i < n; ++i)
                    acc[size_t(i)] += w[k] * a[i];
            for (int i = 0; i < n; ++i)
                out[i] = uint8_t(acc[size_t(i)] >> kDownShift);
        }
    }
}

void FrameScaler::stretch(const BgrRows &source, cDIBSection &target)
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
    if (source.width != m_sourceWidth || source.height != m_sourceHeight || tw != m_targetWidth
        || th != m_targetHeight) {
        m_across = tapsFor(source.width, tw);
        m_two.build(m_across, source.width);
        m_down = tapsFor(source.height, th);
        m_rows.resize(size_t(source.height) * size_t(tw) * 3);
        m_sourceWidth = source.width;
        m_sourceHeight = source.height;
        m_targetWidth = tw;
        m_targetHeight = th;
    }
    horizontal(source, tw);
    vertical(target);
}

void stretchInto(const BgrRows &source, cDIBSection &target)
{
    FrameScaler().stretch(source, target);
}

} // namespace vantrel
