#pragma once

#include "editor/DrawingTools.h"
#include "editor/EditorTool.h"

#include <cstdint>
#include <memory>

namespace vantrel {

// The application-wide armed tool, shared by the main window and every strat
// window. Picking a tool arms it for whichever strat window receives the next
// press; picking another replaces it.
class EditorTools
{
public:
    void arm(std::shared_ptr<EditorTool> tool)
    {
        if (m_tool)
            m_tool->deactivate();
        m_tool = std::move(tool);
        if (m_tool)
            m_tool->activate();
    }
    void armPalette(int16_t index) { arm(std::make_shared<PlaceObjectTool>(index)); }
    void armText() { arm(std::make_shared<TextTool>()); }
    void armMoveWindow() { arm(std::make_shared<MoveWindowTool>()); }
    // "Add Movement" for strat window `iMI`; nothing for a closed window (0).
    void armWayPoint(int16_t iMI)
    {
        if (iMI != 0)
            arm(std::make_shared<WayPointTool>(iMI));
    }
    void armPing() { arm(std::make_shared<PingTool>()); }
    // A drawing tool or the eraser; `armedChanged` hears when it is armed
    // and put away.
    void armDrawing(DrawingKind kind, std::function<void(bool)> armedChanged = {})
    {
        auto tool = std::make_shared<DrawingTool>(kind, drawingStyle);
        tool->armedChanged = std::move(armedChanged);
        arm(std::move(tool));
    }
    void armEraser(std::function<void(bool)> armedChanged = {})
    {
        auto tool = std::make_shared<EraserTool>();
        tool->armedChanged = std::move(armedChanged);
        arm(std::move(tool));
    }
    void disarm() { arm(nullptr); }
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

    // The colour, width and filled toggle of the next drawing.
    DrawingStyle drawingStyle;

private:
    std::shared_ptr<EditorTool> m_tool;
};

} // namespace vantrel
