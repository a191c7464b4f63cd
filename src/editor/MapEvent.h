#pragma once

#include <QPoint>
#include <QPointF>
#include <Qt>

#include <cstdint>

namespace vantrel {

// What a mouse event on a strat's map is about: the object, text, marker or
// drawing under the press (which keeps the mouse until the buttons are let
// go), or the map itself. A drawing's number is its index in the strat's
// drawings, its top-left the corner of what it paints.
struct MapHit
{
    enum Kind { Map, Object, Text, Marker, Drawing };
    Kind kind = Map;
    int16_t number = 0;
    QPointF topLeft; // the item's place when the press started
};

// A mouse event on a strat's map, in twips.
struct MapEvent
{
    MapHit hit;
    Qt::MouseButton button = Qt::NoButton; // the one pressed or released
    Qt::MouseButtons buttons;              // the ones held
    bool shift = false;
    bool alt = false; // Alt+click pings
    QPointF pos;
    QPoint globalPos; // where a popup menu opens

    // The position inside the hit item, from where it stood at the press.
    QPointF local() const { return pos - hit.topLeft; }
    // A drawing is part of the map for every tool that places or draws; the
    // select tool and the eraser pick drawings out.
    bool onMap() const { return hit.kind == MapHit::Map || hit.kind == MapHit::Drawing; }
    bool onDrawing() const { return hit.kind == MapHit::Drawing; }
};

} // namespace vantrel
