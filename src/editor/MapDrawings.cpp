#include "editor/MapDrawings.h"

#include "animation/Playback.h"
#include "editor/DrawingMenu.h"
#include "editor/DrawingShapes.h"
#include "editor/StratSurface.h"
#include "strat/StratDocument.h"

namespace vantrel {

MapDrawings::MapDrawings(Workspace &workspace, StratDocument &document, Playback &playback,
                         StratSurface &surface, QWidget *window)
    : m_ws(workspace)
    , m_document(document)
    , m_playback(playback)
    , m_surface(surface)
    , m_window(window)
{
    connect(&document, &StratDocument::drawingsChanged, this, &MapDrawings::showDrawings);
    // A reset rebuilds the surface, drawing layer and all.
    connect(&document, &StratDocument::reset, this, [this] {
        m_allShown = true;
        showDrawings();
        Q_EMIT allShownChanged(true);
    });
    connect(&playback, &Playback::frameChanged, this, &MapDrawings::showFrame);
    connect(&playback, &Playback::stateChanged, this, &MapDrawings::showFrame);
    showDrawings();
}

MapDrawings::~MapDrawings() = default;

void MapDrawings::showDrawings()
{
    DrawingLayer *layer = m_surface.drawingLayer();
    layer->setAllShown(m_allShown);
    layer->setFrame(m_playback.frame(), !m_playback.isStopped());
    layer->setDrawings(m_document.drawings());
}

void MapDrawings::showFrame()
{
    m_surface.drawingLayer()->setFrame(m_playback.frame(), !m_playback.isStopped());
}

void MapDrawings::setAllShown(bool shown)
{
    if (shown == m_allShown)
        return;
    m_allShown = shown;
    m_surface.drawingLayer()->setAllShown(shown);
    Q_EMIT allShownChanged(shown);
}

QRectF MapDrawings::bounds(int index) const
{
    const auto &drawings = m_document.drawings();
    if (index < 0 || size_t(index) >= drawings.size())
        return {};
    return DrawingShapes::paintedBounds(drawings[size_t(index)]);
}

void MapDrawings::move(int index, const QPoint &offset)
{
    const auto &drawings = m_document.drawings();
    if (offset.isNull() || index < 0 || size_t(index) >= drawings.size())
        return;
    m_document.changeDrawing(index, DrawingShapes::moved(drawings[size_t(index)], offset));
}

void MapDrawings::openMenu(int index, const QPoint &globalPos)
{
    if (index < 0 || size_t(index) >= m_document.drawings().size())
        return;
    delete m_menu;
    m_menu = new DrawingMenu(m_ws, m_document, index, m_window);
    m_menu->popup(globalPos);
}

} // namespace vantrel
