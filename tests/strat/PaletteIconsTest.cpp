#include "strat/PaletteIcons.h"

#include <gtest/gtest.h>

#include <QSet>

namespace vantrel {
namespace {

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

// Placement centres an icon by its size, and out-of-range numbers from a file
// (up to 32767) must give no picture rather than a crash.
TEST(PaletteIcons, SizesAndRange)
{
    for (int i = 0; i < PaletteIcons::Count; ++i) {
        const bool grenade = i >= 10;
        EXPECT_EQ(PaletteIcons::image(i).size(), grenade ? QSize(10, 14) : QSize(12, 12)) << i;
        EXPECT_EQ(PaletteIcons::isGrenade(i), grenade) << i;
    }
    for (int i : {-1, 13, 32767})
        EXPECT_TRUE(PaletteIcons::image(i).isNull()) << i;
}

// Players are discs with transparent corners; grenades are opaque boxes.
// Every icon must be told apart: the player digits match across teams and
// differ within one, and the three grenade letterings differ.
TEST(PaletteIcons, IconsAreToldApart)
{
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    QList<QSet<int>> digits;
    for (int d = 0; d < 5; ++d) {
        for (int i : {d, d + 5}) {
            const QImage img = PaletteIcons::image(i);
            for (auto [x, y] : {std::pair{0, 0}, {11, 0}, {0, 11}, {11, 11}})
                EXPECT_EQ(qAlpha(img.pixel(x, y)), 0) << i << " at " << x << "," << y;
        }
        const QSet<int> blue = maskOf(PaletteIcons::image(d), white);
        EXPECT_GE(blue.size(), 6) << "digit " << d + 1;
        EXPECT_EQ(blue, maskOf(PaletteIcons::image(d + 5), white)) << "digit " << d + 1;
        for (const QSet<int> &earlier : digits)
            EXPECT_NE(blue, earlier) << "digit " << d + 1;
        digits.append(blue);
    }
    EXPECT_NE(PaletteIcons::image(0).pixel(0, 5), PaletteIcons::image(5).pixel(0, 5));
    QList<QSet<int>> letterings;
    for (int i = 10; i < 13; ++i) {
        const QImage img = PaletteIcons::image(i);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(qAlpha(img.pixel(x, y)), 255) << i << " at " << x << "," << y;
        const QSet<int> lettering = maskOf(img, black);
        EXPECT_GE(lettering.size(), 16) << i;
        for (const QSet<int> &earlier : letterings)
            EXPECT_NE(lettering, earlier) << i;
        letterings.append(lettering);
    }
}

} // namespace
} // namespace vantrel
