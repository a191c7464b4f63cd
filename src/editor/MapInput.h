#pragma once

#include "editor/MapEvent.h"
#include "editor/SelectTool.h"

#include <memory>

namespace vantrel {

class Workspace;
class frmMapa;

// The mouse and key events of a strat window's map, from its view: the armed
// tool sees each first, then the window's select tool; the window's own keys
// (F2 and F3 for the run, F4 for another way point, Esc, Shift) come last.
class MapInput
{
public:
    MapInput(frmMapa &window, Workspace &workspace);

    void press(const MapEvent &event);
    void move(const MapEvent &event);
    void release(const MapEvent &event);
    void doubleClick(const MapEvent &event);
    void keyDown(int key);
    void keyUp(int key);
    // Forgets a drag in progress (the strat was discarded).
    void cancel() { m_selectTool.cancel(); }

private:
    using Handler = bool (EditorTool::*)(frmMapa &, const MapEvent &);
    void route(Handler handler, const MapEvent &event);
    // The armed tool, or null when this window must not hand it events: a
    // read-only board takes only tools that change nothing.
    std::shared_ptr<EditorTool> tool() const;

    frmMapa &m_window;
    Workspace &m_ws;
    SelectTool m_selectTool;
};

} // namespace vantrel
