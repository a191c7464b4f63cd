#include "strat/PaletteIcons.h"

#include <array>
#include <string_view>

namespace vantrel::PaletteIcons {
namespace {

// Digits are 4 x 6 so they sit exactly centred in the 12 pixel disc.
using DigitGlyph = std::array<std::string_view, 6>;
constexpr std::array<DigitGlyph, 5> kDigits{{
    {"..X.", ".XX.", "..X.", "..X.", "..X.", ".XXX"}, // 1
    {".XX.", "X..X", "...X", "..X.", ".X..", "XXXX"}, // 2
    {"XXX.", "...X", ".XX.", "...X", "...X", "XXX."}, // 3
    {"..XX", ".X.X", "X..X", "XXXX", "...X", "...X"}, // 4
    {"XXXX", "X...", "XXX.", "...X", "...X", "XXX."}, // 5
}};

// Letters are 4 x 5, two of them stacked in the 10 x 14 box.
using LetterGlyph = std::array<std::string_view, 5>;
constexpr LetterGlyph kLetterH{"X..X", "X..X", "XXXX", "X..X", "X..X"};
constexpr LetterGlyph kLetterE{"XXXX", "X...", "XXX.", "X...", "XXXX"};
constexpr LetterGlyph kLetterF{"XXXX", "X...", "XXX.", "X...", "X..."};
constexpr LetterGlyph kLetterB{"XXX.", "X..X", "XXX.", "X..X", "XXX."};
constexpr LetterGlyph kLetterS{".XXX", "X...", ".XX.", "...X", "XXX."};
constexpr LetterGlyph kLetterG{".XXX", "X...", "X.XX", "X..X", ".XXX"};

template<typename Glyph> void stamp(QImage &img, const Glyph &glyph, int left, int top, QRgb colour)
{
    for (int row = 0; row < static_cast<int>(glyph.size()); ++row) {
        for (int col = 0; col < static_cast<int>(glyph[row].size()); ++col) {
            if (glyph[row][col] == 'X')
                img.setPixel(left + col, top + row, colour);
        }
    }
}

QImage disc(QRgb fill, int digit)
{
    QImage img(DiscSize, DiscSize, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    // A pixel belongs to the disc when its centre lies within the radius; no
    // anti-aliasing, so the edge stays as crisp as the digit.
    const double r = DiscSize / 2.0;
    for (int y = 0; y < DiscSize; ++y) {
        for (int x = 0; x < DiscSize; ++x) {
            const double dx = x + 0.5 - r;
            const double dy = y + 0.5 - r;
            if (dx * dx + dy * dy <= r * r)
                img.setPixel(x, y, fill);
        }
    }
    stamp(img, kDigits[digit - 1], 4, 3, qRgb(255, 255, 255));
    return img;
}

QImage box(QRgb fill, const LetterGlyph &upper, const LetterGlyph &lower)
{
    QImage img(BoxWidth, BoxHeight, QImage::Format_ARGB32);
    img.fill(fill);
    const QRgb black = qRgb(0, 0, 0);
    stamp(img, upper, 3, 1, black);
    stamp(img, lower, 3, 8, black);
    return img;
}

} // namespace

QImage image(int index)
{
    if (index < 0 || index >= Count)
        return {};
    if (index < 5)
        return disc(qRgb(0, 0, 204), index + 1);
    if (index < 10)
        return disc(qRgb(255, 0, 0), index - 4);
    switch (index) {
    case 10:
        return box(qRgb(255, 0, 0), kLetterH, kLetterE);
    case 11:
        return box(qRgb(204, 204, 204), kLetterF, kLetterB);
    default:
        return box(qRgb(0, 153, 0), kLetterS, kLetterG);
    }
}

} // namespace vantrel::PaletteIcons
