#include "editor/MapInput.h"

#include "editor/EditorPictures.h"
#include "editor/MapView.h"
#include "editor/SharedCopy.h"
#include "editor/StratEditor.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"

namespace vantrel {

MapInput::MapInput(frmMapa &window, Workspace &workspace)
    : m_window(window)
    , m_ws(workspace)
{
}

std::shared_ptr<EditorTool> MapInput::tool() const
{
    std::shared_ptr<EditorTool> tool = m_ws.tools.current();
    if (m_window.sharing().isShared() && tool && !tool->readOnly())
        return nullptr;
    return tool;
}

void MapInput::route(Handler handler, const MapEvent &event)
{
    // Held here: the tool may disarm itself or be replaced while it acts. A
    // read-only board never reaches the select tool: no drags, no menus.
    const std::shared_ptr<EditorTool> tool = this->tool();
    if ((!tool || !((*tool).*handler)(m_window, event)) && !m_window.sharing().isShared())
        (m_selectTool.*handler)(m_window, event);
}

void MapInput::press(const MapEvent &event)
{
    if (event.alt && event.button == Qt::LeftButton) {
        m_window.sharing().ping(event.pos.toPoint());
        return;
    }
    if (event.onMap())
        m_window.surface().tlinha()->hide();
    route(&EditorTool::press, event);
}

void MapInput::move(const MapEvent &event)
{
    route(&EditorTool::move, event);
}

void MapInput::release(const MapEvent &event)
{
    route(&EditorTool::release, event);
}

void MapInput::doubleClick(const MapEvent &event)
{
    route(&EditorTool::doubleClick, event);
}

void MapInput::keyDown(int key)
{
    if (const std::shared_ptr<EditorTool> tool = this->tool();
        tool && tool->keyPress(m_window, key))
        return;
    const StratSelection &selection = m_window.editor().selection();
    switch (key) {
    case Qt::Key_F4:
        // Another way point for the selected object, without the menu.
        if (m_window.playback().isStopped() && !m_window.bGravando()
            && !m_window.sharing().isShared() && selection.Kind == StratSelection::ObjectOrPoint
            && selection.Item > 0) {
            m_ws.tools.armWayPoint(m_window.iMI);
            m_window.view()->viewport()->setCursor(EditorPictures::placingCursor());
        }
        break;
    case Qt::Key_Escape:
        m_ws.tools.disarm();
        m_window.surface().tlinha()->hide();
        m_window.view()->viewport()->unsetCursor();
        break;
    case Qt::Key_F2:
        // While recording, only STOP ends the run.
        if (!m_window.bGravando())
            m_window.picGO_Click();
        break;
    case Qt::Key_F3:
        if (!m_window.bGravando())
            m_window.picPause_Click();
        break;
    default:
        break;
    }
}

void MapInput::keyUp(int key)
{
    if (key != Qt::Key_Shift)
        return;
    m_window.view()->viewport()->unsetCursor();
    m_ws.setSelectedPreview(QPixmap());
    // A placing tool is dropped; a way point still follows the next press.
    const std::shared_ptr<EditorTool> &tool = m_ws.tools.current();
    if (tool && tool->places() && tool->wayPointWindow() == 0)
        m_ws.tools.disarm();
}

} // namespace vantrel
