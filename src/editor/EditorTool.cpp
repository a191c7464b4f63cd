#include "editor/EditorTool.h"

#include "editor/EditorPictures.h"
#include "editor/MapView.h"
#include "editor/SharedCopy.h"
#include "editor/StratEditor.h"
#include "editor/frmMapa.h"
#include "strat/StratRecords.h"

#include <QMdiSubWindow>

#include <cmath>

namespace vantrel {

bool OneShotTool::press(frmMapa &window, const MapEvent &event)
{
    if (!event.onMap())
        return places() && event.button != Qt::RightButton;
    if (spentByPress())
        window.disarmTool();
    act(window, event);
    return true;
}

bool OneShotTool::move(frmMapa &window, const MapEvent &event)
{
    if (!event.onMap())
        return false;
    hover(window, event);
    return true;
}

bool OneShotTool::release(frmMapa &window, const MapEvent &event)
{
    // Every tool acts once; the select tool ends the gesture.
    if (event.onMap() && !spentByPress())
        window.disarmTool();
    return false;
}

void OneShotTool::hover(frmMapa &window, const MapEvent &)
{
    window.view()->viewport()->setCursor(EditorPictures::placingCursor());
}

void PlaceObjectTool::act(frmMapa &window, const MapEvent &event)
{
    window.editor().placeObject(m_index, event.pos.x(), event.pos.y());
}

void TextTool::act(frmMapa &window, const MapEvent &event)
{
    window.editor().insertText(event.pos.x(), event.pos.y());
}

void MoveWindowTool::act(frmMapa &, const MapEvent &event)
{
    m_start = QPoint(int(std::lround(event.pos.x())), int(std::lround(event.pos.y())));
}

void MoveWindowTool::hover(frmMapa &window, const MapEvent &event)
{
    if (event.buttons == Qt::LeftButton) {
        // Inside the main window's frame the strat window is the content of
        // an MDI subwindow, which is what moves.
        QWidget *moved = &window;
        if (auto *sub = qobject_cast<QMdiSubWindow *>(window.parentWidget()))
            moved = sub;
        const QPoint at(int(std::lround(event.pos.x())), int(std::lround(event.pos.y())));
        moved->move(moved->pos()
                    + QPoint((at.x() - m_start.x()) / kTwipsPerPixel,
                             (at.y() - m_start.y()) / kTwipsPerPixel));
    }
    window.view()->viewport()->setCursor(EditorPictures::moveWindowCursor());
}

bool WayPointTool::press(frmMapa &window, const MapEvent &event)
{
    // The tool extends a path in its own window only.
    if (event.onMap() && window.iMI != m_window)
        return true;
    return OneShotTool::press(window, event);
}

bool WayPointTool::release(frmMapa &, const MapEvent &)
{
    return false; // spent by its press
}

void WayPointTool::act(frmMapa &window, const MapEvent &event)
{
    window.editor().addWayPoint(event.pos.x(), event.pos.y());
}

void WayPointTool::hover(frmMapa &window, const MapEvent &event)
{
    if (window.iMI == m_window)
        window.editor().showRubberBand(event.pos.x(), event.pos.y());
    OneShotTool::hover(window, event);
}

bool PingTool::press(frmMapa &window, const MapEvent &event)
{
    if (event.button != Qt::LeftButton)
        return false;
    window.disarmTool();
    act(window, event);
    return true;
}

void PingTool::act(frmMapa &window, const MapEvent &event)
{
    window.sharing().ping(event.pos.toPoint());
}

void PingTool::hover(frmMapa &window, const MapEvent &)
{
    window.view()->viewport()->setCursor(Qt::CrossCursor);
}

} // namespace vantrel
