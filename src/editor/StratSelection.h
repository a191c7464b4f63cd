#pragma once

#include <cstdint>

namespace vantrel {

// What the last right-click on a strat window's map chose: the popup menus'
// commands act on it.
struct StratSelection
{
    enum : int16_t { None = 0, ObjectOrPoint = 1, Text = 2 };
    int16_t Kind = None;
    int16_t Item = 0;     // object number, or movement number of a way point
    int16_t Movement = 0; // movement number of the way point, or text number
    int16_t Point = 0;    // way-point marker number; 0 for an object
};

} // namespace vantrel
