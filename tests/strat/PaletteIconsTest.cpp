#include "strat/PaletteIcons.h"

#include <gtest/gtest.h>

#include <QSet>

namespace vantrel {
namespace {

constexpr QRgb kBlue = qRgb(0, 0, 204);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGrey = qRgb(204, 204, 204);
constexpr QRgb kGreen = qRgb(0, 153, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

bool isTransparent(const QImage &img, int x, int y)
{
    return qAlpha(img.pixel(x, y)) == 0;
}

// The set of pixels of one colour, as a comparable mask.
QSet<int> maskOf(const QImage &img, QRgb colour)
{
    QSet<int> mask;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == colour)
                mask.insert(y * img.width() + x);
    return mask;
}

TEST(PaletteIcons, SizesAndRange)
{
    for (int i = 0; i < 10; ++i) {
        const QImage img = PaletteIcons::image(i);
        EXPECT_EQ(img.size(), QSize(12, 12)) << i;
        EXPECT_TRUE(img.hasAlphaChannel()) << i;
        EXPECT_FALSE(PaletteIcons::isGrenade(i));
    }
    for (int i = 10; i < 13; ++i) {
        EXPECT_EQ(PaletteIcons::image(i).size(), QSize(10, 14)) << i;
        EXPECT_TRUE(PaletteIcons::isGrenade(i));
    }
    EXPECT_TRUE(PaletteIcons::image(-1).isNull());
    EXPECT_TRUE(PaletteIcons::image(13).isNull());
    EXPECT_TRUE(PaletteIcons::image(32767).isNull());
}

TEST(PaletteIcons, DiscsHaveTransparentCornersAndTeamFill)
{
    for (int i = 0; i < 10; ++i) {
        const QImage img = PaletteIcons::image(i);
        const QRgb fill = i < 5 ? kBlue : kRed;
        for (auto [x, y] : {std::pair{0, 0}, {11, 0}, {0, 11}, {11, 11}, {1, 0}, {0, 1}})
            EXPECT_TRUE(isTransparent(img, x, y)) << i << " at " << x << "," << y;
        // Edge midpoints and the ring just inside them carry the team colour.
        for (auto [x, y] : {std::pair{0, 5}, {11, 6}, {5, 0}, {6, 11}, {2, 6}, {9, 5}})
            EXPECT_EQ(img.pixel(x, y), fill) << i << " at " << x << "," << y;
        // Nothing but transparency, fill and the white digit.
        int white = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const QRgb p = img.pixel(x, y);
                if (isTransparent(img, x, y))
                    continue;
                EXPECT_TRUE(p == fill || p == kWhite) << i << " at " << x << "," << y;
                white += p == kWhite;
            }
        EXPECT_GE(white, 6) << i;
    }
}

TEST(PaletteIcons, DiscOutlineIsSymmetric)
{
    const QImage img = PaletteIcons::image(0);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(isTransparent(img, x, y), isTransparent(img, 11 - x, y)) << x << "," << y;
            EXPECT_EQ(isTransparent(img, x, y), isTransparent(img, x, 11 - y)) << x << "," << y;
        }
}

TEST(PaletteIcons, DigitsDifferAndMatchAcrossTeams)
{
    QList<QSet<int>> digits;
    for (int d = 0; d < 5; ++d) {
        const QSet<int> blue = maskOf(PaletteIcons::image(d), kWhite);
        const QSet<int> red = maskOf(PaletteIcons::image(d + 5), kWhite);
        EXPECT_EQ(blue, red) << "digit " << d + 1;
        for (const QSet<int> &earlier : digits)
            EXPECT_NE(blue, earlier) << "digit " << d + 1;
        digits.append(blue);
        // The digit stays clear of the disc's rim.
        for (int pos : blue) {
            const int x = pos % 12, y = pos / 12;
            EXPECT_GE(x, 2);
            EXPECT_LE(x, 9);
            EXPECT_GE(y, 2);
            EXPECT_LE(y, 9);
        }
    }
}

TEST(PaletteIcons, GrenadeBoxesAreOpaqueWithTwoBlackLetters)
{
    const QRgb fills[] = {kRed, kGrey, kGreen};
    QList<QSet<int>> letterings;
    for (int i = 10; i < 13; ++i) {
        const QImage img = PaletteIcons::image(i);
        const QRgb fill = fills[i - 10];
        int upper = 0, lower = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 10; ++x) {
                const QRgb p = img.pixel(x, y);
                ASSERT_EQ(qAlpha(p), 255) << i << " at " << x << "," << y;
                EXPECT_TRUE(p == fill || p == kBlack) << i << " at " << x << "," << y;
                if (p == kBlack)
                    (y < 7 ? upper : lower)++;
            }
        // The frame row and column stay in the box colour, so the letters never touch the edge.
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(img.pixel(x, 0), fill);
            EXPECT_EQ(img.pixel(x, 13), fill);
        }
        for (int y = 0; y < 14; ++y) {
            EXPECT_EQ(img.pixel(0, y), fill);
            EXPECT_EQ(img.pixel(9, y), fill);
        }
        EXPECT_GE(upper, 8) << i;
        EXPECT_GE(lower, 8) << i;
        const QSet<int> lettering = maskOf(img, kBlack);
        for (const QSet<int> &earlier : letterings)
            EXPECT_NE(lettering, earlier) << i;
        letterings.append(lettering);
    }
}

TEST(PaletteIcons, Deterministic)
{
    for (int i = 0; i < PaletteIcons::Count; ++i)
        EXPECT_EQ(PaletteIcons::image(i), PaletteIcons::image(i)) << i;
}

} // namespace
} // namespace vantrel
