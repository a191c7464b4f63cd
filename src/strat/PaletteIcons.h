#pragma once

#include <QImage>

namespace vantrel {

// The thirteen icons of the object palette, drawn pixel by pixel from a small
// built-in bitmap font so they look the same on every machine.
//   0..4   blue (0, 0, 204) disc, 12 x 12, white digit 1..5, transparent corners
//   5..9   red (255, 0, 0) disc, 12 x 12, white digit 1..5, transparent corners
//   10     red box 10 x 14 lettered HE
//   11     light grey (204, 204, 204) box 10 x 14 lettered FB
//   12     green (0, 153, 0) box 10 x 14 lettered SG
namespace PaletteIcons {

inline constexpr int Count = 13;
inline constexpr int DiscSize = 12;
inline constexpr int BoxWidth = 10;
inline constexpr int BoxHeight = 14;

// The icon for a palette index, ARGB32; a null image for an index outside 0..12.
QImage image(int index);

// True for the three grenade boxes (indices 10..12).
constexpr bool isGrenade(int index)
{
    return index >= 10 && index < Count;
}

} // namespace PaletteIcons
} // namespace vantrel
