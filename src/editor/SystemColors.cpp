#include "editor/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace vantrel {

namespace {

// The platform's system colour indices mapped onto the desktop palette.
QPalette::ColorRole roleOf(uint32_t index, QPalette::ColorGroup &group)
{
    group = QPalette::Active;
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
        return QPalette::Dark;
    case 2:  // active caption
    case 13: // highlight
        return QPalette::Highlight;
    case 3: // inactive caption
        group = QPalette::Inactive;
        return QPalette::Highlight;
    case 5: // window
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 7: // menu text
    case 8: // window text
        return QPalette::WindowText;
    case 9:  // caption text
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Mid;
    case 17: // grey text
    case 19: // inactive caption text
        group = QPalette::Disabled;
        return QPalette::WindowText;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    case 4:  // menu
    case 10: // active border
    case 11: // inactive border
        return QPalette::Window;
    default: // 0 scroll bar, 15 button face and anything unknown
        return QPalette::Button;
    }
}

} // namespace

QColor colorFromValue(uint32_t value)
{
    if (value & 0x80000000u) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = roleOf(value & 0xFFu, group);
        return QGuiApplication::palette().color(group, role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

uint32_t valueFromRgb(int red, int green, int blue)
{
    return uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
}

} // namespace vantrel
