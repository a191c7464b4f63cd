#pragma once

#include <QString>

#include <cstdint>

namespace vantrel {

// The application-wide tool modes and current selection,
// shared by the main window and every strat window. Picking a tool arms it
// for whichever strat window receives the next press.
struct EditorTools
{
    bool PlacingMode = false;
    bool TextMode = false;
    bool MoveWindowMode = false;
    int16_t PaletteIndex = 0;

    int16_t SelectionWindow = 0;   // iMI of the window of the last right-click
    int16_t SelectionKind = 0;     // 1 = object or way point, 2 = text
    int16_t SelectionItem = 0;     // object number, or movement number of a way point
    int16_t SelectionMovement = 0; // movement number of the way point, or text number
    int16_t SelectionPoint = 0;    // way-point marker number; 0 for an object
};

} // namespace vantrel
