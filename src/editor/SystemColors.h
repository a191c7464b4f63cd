#pragma once

#include <QColor>

#include <cstdint>

namespace vantrel {

// A stored colour value as a QColor: 0x00BBGGRR is RGB with red in the low
// byte; 0x80000000 + index is a system colour, drawn with the desktop
// palette's matching colour (index 15, button face, is QPalette::Button).
QColor colorFromValue(uint32_t value);
// The stored value of an RGB colour (0x00BBGGRR).
uint32_t valueFromRgb(int red, int green, int blue);

} // namespace vantrel
