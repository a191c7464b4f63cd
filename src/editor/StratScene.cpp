#include "editor/StratScene.h"

#include "appcore/Overview.h"
#include "editor/EditorPictures.h"
#include "strat/StratDocument.h"

#include <unordered_map>

namespace vantrel {

StratScene::StratScene(StratDocument &document, const std::array<QPixmap, 13> &palette)
    : m_document(document)
    , m_palette(palette)
    , m_sprites(m_surface)
{
    connect(&document, &StratDocument::objectChanged, this, &StratScene::showObject);
    connect(&document, &StratDocument::textChanged, this, &StratScene::showText);
    connect(&document, &StratDocument::movementChanged, this, &StratScene::showPaths);
    connect(&document, &StratDocument::reset, this, &StratScene::showAll);
    connect(&document, &StratDocument::overviewChanged, this, &StratScene::showOverview);
}

void StratScene::showObject(int i)
{
    if (!m_document.isObjectDrawn(i)) {
        m_surface.unloadObject(i);
        return;
    }
    const StratObject &object = m_document.strat().Objects[i];
    if (ObjectItem *item = m_surface.imgObj(i))
        item->setPosition(object.Left, object.Top);
    else
        // Added last, so it is drawn in front of every other object and text.
        m_surface.loadObject(int16_t(i),
                             EditorPictures::palettePicture(m_palette, object.PictureIndex),
                             QPointF(object.Left, object.Top));
    // The path's first segment starts at the object.
    if (const int m = m_document.movementOf(i); m > 0)
        showPaths(m);
}

void StratScene::showText(int i)
{
    if (!m_document.strat().Texts.contains(i) || !m_document.isTextShown(i)) {
        m_surface.unloadText(i);
        return;
    }
    const StratText &text = m_document.strat().Texts[i];
    if (TextItem *label = m_surface.lblTexto(i)) {
        if (label->caption() != text.Caption)
            label->setCaption(text.Caption);
        label->setPos(text.Left, text.Top);
    } else {
        m_surface.loadText(int16_t(i), text.Caption, QPointF(text.Left, text.Top));
    }
}

void StratScene::showPaths(int m)
{
    // One pass over the markers in number order; each movement's previous
    // marker is remembered instead of searched for.
    std::unordered_map<int, QPointF> previous;
    const Strat &s = m_document.strat();
    const int last = std::max<int>(m_document.MarkerCount(), m_surface.markerSlots());
    for (int k = 1; k <= last; ++k) {
        const WayPointMarker &mk = m_document.marker(k);
        const MarkerItem *shown = m_surface.picM(k);
        const int tag = mk.movement > 0 ? mk.movement : shown ? shown->tag() : 0;
        if (m != 0 && tag != m)
            continue;
        const bool live = mk.live && s.Movements.contains(mk.movement)
                          && s.Movements[mk.movement].hasPoint(mk.point);
        if (!live) {
            m_surface.unloadMarker(k);
            m_surface.unloadLine(k);
            continue;
        }
        const StratMovement &movement = s.Movements[mk.movement];
        const MovementPoint &point = movement.Points[size_t(mk.point)];
        const uint32_t color
            = s.LineColors.contains(mk.movement) ? s.LineColors[mk.movement] : kButtonFaceColor;
        const QPointF anchor(point.X + kObjectAnchor, point.Y + kObjectAnchor);
        QPointF start;
        if (auto it = previous.find(mk.movement); it != previous.end())
            start = it->second;
        else if (const ObjectItem *object = m_surface.imgObj(movement.ObjectIndex))
            start = object->pos() + QPointF(kObjectAnchor, kObjectAnchor);
        const QPointF topLeft = anchor - QPointF(kMarkerCentre, kMarkerCentre);
        if (MarkerItem *marker = m_surface.picM(k)) {
            marker->setPos(topLeft);
            marker->setColor(color);
        } else {
            m_surface.loadMarker(int16_t(k), mk.movement, color, topLeft);
        }
        if (PathLine *line = m_surface.linha(k)) {
            line->setLine(QLineF(start, anchor));
            line->setColor(color);
        } else {
            m_surface.loadLine(int16_t(k), mk.movement, color, start, anchor);
        }
        previous[mk.movement] = anchor;
    }
}

void StratScene::showAll()
{
    m_surface.clear();
    const Strat &s = m_document.strat();
    for (int i = 1; i <= s.Objects.count(); ++i)
        if (m_document.isObjectDrawn(i))
            m_surface.loadObject(
                int16_t(i), EditorPictures::palettePicture(m_palette, s.Objects[i].PictureIndex),
                QPointF(s.Objects[i].Left, s.Objects[i].Top));
    for (int i = 1; i <= s.Texts.count(); ++i)
        showText(i);
    showPaths(0);
}

void StratScene::setPathsVisible(bool visible)
{
    for (int k = 1; k <= m_document.MarkerCount(); ++k) {
        if (MarkerItem *marker = m_surface.picM(k))
            marker->setVisible(visible);
        if (PathLine *line = m_surface.linha(k))
            line->setVisible(visible);
    }
}

void StratScene::showOverview()
{
    // Only a plain name inside Overviews/ is looked up.
    m_surface.scene().setBackground(
        QPixmap::fromImage(Overview::load(m_document.strat().Overview.trimmed())));
}

} // namespace vantrel
