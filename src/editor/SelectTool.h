#pragma once

#include "editor/EditorTool.h"

class QGraphicsRectItem;

namespace vantrel {

// The tool every strat window falls back on. A right press on an object, a
// text, a way-point marker or a drawing selects it and opens its popup menu;
// a left drag moves it, shown by a frame and stored as one edit at the
// release; a double click edits a text or a way point. A release on the map ends whatever
// gesture was going on.
class SelectTool : public EditorTool
{
public:
    bool press(frmMapa &window, const MapEvent &event) override;
    bool move(frmMapa &window, const MapEvent &event) override;
    bool release(frmMapa &window, const MapEvent &event) override;
    bool doubleClick(frmMapa &window, const MapEvent &event) override;
    // Forgets a drag in progress (the strat was discarded).
    void cancel() { m_drag = Drag(); }

private:
    // One drag at a time, in 16-bit twips.
    struct Drag
    {
        bool active = false;
        int16_t grabX = 0, grabY = 0;
        int16_t startLeft = 0, startTop = 0;
        int16_t newLeft = 0, newTop = 0;
    };
    void select(frmMapa &window, const MapEvent &event);
    QGraphicsRectItem *frameFor(frmMapa &window, const MapHit &hit) const;

    Drag m_drag;
};

} // namespace vantrel
