#pragma once

#include "editor/EditorTool.h"

#include <cstdint>
#include <memory>

namespace vantrel {

// The application-wide armed tool and current selection, shared by the main
// window and every strat window. Picking a tool arms it for whichever strat
// window receives the next press; picking another replaces it.
class EditorTools
{
public:
    void armPalette(int16_t index) { m_tool = std::make_shared<PlaceObjectTool>(index); }
    void armText() { m_tool = std::make_shared<TextTool>(); }
    void armMoveWindow() { m_tool = std::make_shared<MoveWindowTool>(); }
    void armWayPoint(int16_t iMI) { m_tool = std::make_shared<WayPointTool>(iMI); }
    void disarm() { m_tool.reset(); }
    // The armed tool, or null. A press keeps it alive while it acts, even
    // when that disarms or replaces it.
    const std::shared_ptr<EditorTool> &current() const { return m_tool; }

    bool PlacingMode() const { return m_tool && m_tool->places(); }
    bool TextMode() const { return m_tool && m_tool->insertsText(); }
    bool MoveWindowMode() const { return m_tool && m_tool->movesWindow(); }
    // The palette icon armed, or -1 when no palette icon is.
    int16_t PaletteIndex() const
    {
        const auto *tool = dynamic_cast<const PlaceObjectTool *>(m_tool.get());
        return tool ? tool->paletteIndex() : int16_t(-1);
    }

    int16_t SelectionWindow = 0;   // iMI of the window of the last right-click
    int16_t SelectionKind = 0;     // 1 = object or way point, 2 = text
    int16_t SelectionItem = 0;     // object number, or movement number of a way point
    int16_t SelectionMovement = 0; // movement number of the way point, or text number
    int16_t SelectionPoint = 0;    // way-point marker number; 0 for an object

private:
    std::shared_ptr<EditorTool> m_tool;
};

} // namespace vantrel
