#include "export/GifPalette.h"

#include <algorithm>

namespace vantrel {

namespace {

// Colours are counted on a grid of 5 bits a channel, and mapped through a
// cache of 6 bits a channel.
constexpr int kCountBits = 5;
constexpr int kCells = 1 << (3 * kCountBits);
constexpr int kLookupCells = 1 << 18;

int cellOf(QRgb c)
{
    return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3);
}

// A 4 x 4 ordered dither, centred on zero, about half a palette step wide.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

struct Box
{
    int begin = 0;
    int end = 0;
    int axis = 0;
    double error = 0; // weighted squared spread along `axis`
};

} // namespace

GifPalette::GifPalette()
    : m_count(kCells, 0)
    , m_sum(3 * kCells, 0)
{
}

void GifPalette::count(const QImage &image, const QRect &rect)
{
    const QRect r = rect & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = line[x];
            const int cell = cellOf(c);
            ++m_count[cell];
            m_sum[3 * cell] += qRed(c);
            m_sum[3 * cell + 1] += qGreen(c);
            m_sum[3 * cell + 2] += qBlue(c);
        }
    }
}

void GifPalette::build()
{
    std::vector<int> cells;
    for (int i = 0; i < kCells; ++i) {
        if (m_count[i])
            cells.push_back(i);
    }
    auto mean = [&](int cell, int axis) {
        return double(m_sum[3 * cell + axis]) / m_count[cell];
    };
    // Finds the axis along which a box spreads most, weighted by how often
    // each colour was seen: the box whose split removes the most error goes first.
    auto measure = [&](Box &box) {
        box.error = -1;
        if (box.end - box.begin < 2)
            return;
        for (int axis = 0; axis < 3; ++axis) {
            double n = 0, s = 0, s2 = 0;
            for (int i = box.begin; i < box.end; ++i) {
                const double w = double(m_count[cells[i]]);
                const double v = mean(cells[i], axis);
                n += w;
                s += w * v;
                s2 += w * v * v;
            }
            const double error = s2 - s * s / n;
            if (error > box.error) {
                box.error = error;
                box.axis = axis;
            }
        }
    };

    std::vector<Box> boxes;
    if (!cells.empty()) {
        boxes.push_back({0, int(cells.size())});
        measure(boxes.back());
    }
    while (int(boxes.size()) < kColours) {
        auto worst = std::max_element(boxes.begin(), boxes.end(),
                                      [](const Box &a, const Box &b) { return a.error < b.error; });
        if (worst == boxes.end() || worst->error <= 0)
            break;
        Box box = *worst;
        std::sort(cells.begin() + box.begin, cells.begin() + box.end,
                  [&](int a, int b) { return mean(a, box.axis) < mean(b, box.axis); });
        uint64_t total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += m_count[cells[i]];
        // The weighted median, keeping at least one cell on either side.
        uint64_t seen = 0;
        int split = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            seen += m_count[cells[i]];
            split = i + 1;
            if (2 * seen >= total)
                break;
        }
        Box low{box.begin, split};
        Box high{split, box.end};
        measure(low);
        measure(high);
        *worst = low;
        boxes.push_back(high);
    }

    m_entries.fill(0xff000000);
    m_colourCount = int(boxes.size());
    for (int k = 0; k < m_colourCount; ++k) {
        uint64_t n = 0, r = 0, g = 0, b = 0;
        for (int i = boxes[k].begin; i < boxes[k].end; ++i) {
            const int cell = cells[i];
            n += m_count[cell];
            r += m_sum[3 * cell];
            g += m_sum[3 * cell + 1];
            b += m_sum[3 * cell + 2];
        }
        m_entries[k] = qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
    }
    if (m_colourCount == 0) {
        m_colourCount = 1; // a video of nothing is black
    }
    m_entries[kTransparent] = 0x00000000;
    m_lookup.assign(kLookupCells, -1);
}

int GifPalette::nearest(int r, int g, int b) const
{
    int best = 0;
    int bestDistance = INT32_MAX;
    for (int k = 0; k < m_colourCount; ++k) {
        const int dr = qRed(m_entries[k]) - r;
        const int dg = qGreen(m_entries[k]) - g;
        const int db = qBlue(m_entries[k]) - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    return best;
}

void GifPalette::map(const QImage &image, uint8_t *indices, int lineSize)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uint8_t *out = indices + size_t(y) * size_t(lineSize);
        for (int x = 0; x < image.width(); ++x) {
            const int d = kBayer[y & 3][x & 3] - 8;
            const int r = std::clamp(qRed(line[x]) + d, 0, 255) >> 2;
            const int g = std::clamp(qGreen(line[x]) + d, 0, 255) >> 2;
            const int b = std::clamp(qBlue(line[x]) + d, 0, 255) >> 2;
            const int cell = r << 12 | g << 6 | b;
            int16_t &index = m_lookup[size_t(cell)];
            if (index < 0)
                index = int16_t(nearest(r << 2 | 2, g << 2 | 2, b << 2 | 2));
            out[x] = uint8_t(index);
        }
    }
}

} // namespace vantrel
