#include "editor/EditorTool.h"

#include "editor/EditorPictures.h"
#include "editor/frmMapa.h"
#include "strat/StratRecords.h"

#include <cmath>

namespace vantrel {

void PlaceObjectTool::press(frmMapa &window, double x, double y)
{
    window.placeObject(m_index, x, y);
}

void PlaceObjectTool::move(frmMapa &window, Qt::MouseButtons, double, double)
{
    window.setSurfaceCursor(EditorPictures::placingCursor());
}

void TextTool::press(frmMapa &window, double x, double y)
{
    window.insertText(x, y);
}

void TextTool::move(frmMapa &window, Qt::MouseButtons, double, double)
{
    window.setSurfaceCursor(EditorPictures::placingCursor());
}

void MoveWindowTool::press(frmMapa &, double x, double y)
{
    m_startX = std::lround(x);
    m_startY = std::lround(y);
}

void MoveWindowTool::move(frmMapa &window, Qt::MouseButtons buttons, double x, double y)
{
    if (buttons == Qt::LeftButton) {
        QWidget *moved = window.movableWindow();
        const QPoint delta(int(std::lround(x) - m_startX) / kTwipsPerPixel,
                           int(std::lround(y) - m_startY) / kTwipsPerPixel);
        moved->move(moved->pos() + delta);
    }
    window.setSurfaceCursor(EditorPictures::moveWindowCursor());
}

void WayPointTool::press(frmMapa &window, double x, double y)
{
    window.addWayPoint(x, y);
}

void WayPointTool::move(frmMapa &window, Qt::MouseButtons, double x, double y)
{
    if (window.iMI == m_window)
        window.showRubberBand(x, y);
    window.setSurfaceCursor(EditorPictures::placingCursor());
}

} // namespace vantrel
