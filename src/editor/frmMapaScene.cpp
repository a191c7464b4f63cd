// The scene follows the document: objects, texts, markers and lines are
// created, moved and unloaded as the document's change signals say, after an
// edit, an undo or a redo alike.
#include "appcore/Overview.h"
#include "editor/StratEditor.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"

#include <QLabel>

#include <unordered_map>

namespace vantrel {

void frmMapa::followDocument()
{
    connect(&m_document, &StratDocument::objectChanged, this, &frmMapa::showObject);
    connect(&m_document, &StratDocument::textChanged, this, &frmMapa::showText);
    connect(&m_document, &StratDocument::movementChanged, this, &frmMapa::showPaths);
    connect(&m_document, &StratDocument::reset, this, &frmMapa::showAll);
    connect(&m_document, &StratDocument::titleChanged, this, &frmMapa::showTitle);
    connect(&m_document, &StratDocument::modifiedChanged, this, &frmMapa::showTitle);
    connect(&m_document, &StratDocument::overviewChanged, this, &frmMapa::showOverview);
}

void frmMapa::showObject(int i)
{
    if (!m_document.isObjectDrawn(i)) {
        m_surface->unloadObject(i);
        return;
    }
    const StratObject &object = strat().Objects[i];
    if (ObjectItem *item = m_surface->imgObj(i))
        item->setPosition(object.Left, object.Top);
    else
        // Added last, so it is drawn in front of every other object and text.
        m_surface->loadObject(int16_t(i), m_editor->palettePicture(object.PictureIndex),
                              QPointF(object.Left, object.Top));
    // The path's first segment starts at the object.
    if (const int m = movementOf(i); m > 0)
        showPaths(m);
}

void frmMapa::showText(int i)
{
    if (!strat().Texts.contains(i) || !m_document.isTextShown(i)) {
        m_surface->unloadText(i);
        return;
    }
    const StratText &text = strat().Texts[i];
    if (TextItem *label = m_surface->lblTexto(i)) {
        if (label->caption() != text.Caption)
            label->setCaption(text.Caption);
        label->setPos(text.Left, text.Top);
    } else {
        m_surface->loadText(int16_t(i), text.Caption, QPointF(text.Left, text.Top));
    }
}

void frmMapa::showPaths(int m)
{
    // One pass over the markers in number order; each movement's previous
    // marker is remembered instead of searched for.
    std::unordered_map<int, QPointF> previous;
    const Strat &s = strat();
    const int last = std::max<int>(MarkerCount(), m_surface->markerSlots());
    for (int k = 1; k <= last; ++k) {
        const WayPointMarker &mk = m_document.marker(k);
        const MarkerItem *shown = m_surface->picM(k);
        const int tag = mk.movement > 0 ? mk.movement : shown ? shown->tag() : 0;
        if (m != 0 && tag != m)
            continue;
        const bool live = mk.live && s.Movements.contains(mk.movement)
                          && s.Movements[mk.movement].hasPoint(mk.point);
        if (!live) {
            m_surface->unloadMarker(k);
            m_surface->unloadLine(k);
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
        else if (const ObjectItem *object = m_surface->imgObj(movement.ObjectIndex))
            start = object->pos() + QPointF(kObjectAnchor, kObjectAnchor);
        const QPointF topLeft = anchor - QPointF(kMarkerCentre, kMarkerCentre);
        if (MarkerItem *marker = m_surface->picM(k)) {
            marker->setPos(topLeft);
            marker->setColor(color);
        } else {
            m_surface->loadMarker(int16_t(k), mk.movement, color, topLeft);
        }
        if (PathLine *line = m_surface->linha(k)) {
            line->setLine(QLineF(start, anchor));
            line->setColor(color);
        } else {
            m_surface->loadLine(int16_t(k), mk.movement, color, start, anchor);
        }
        previous[mk.movement] = anchor;
    }
}

void frmMapa::showAll()
{
    m_surface->clear();
    const Strat &s = strat();
    for (int i = 1; i <= s.Objects.count(); ++i)
        if (m_document.isObjectDrawn(i))
            m_surface->loadObject(int16_t(i), m_editor->palettePicture(s.Objects[i].PictureIndex),
                                  QPointF(s.Objects[i].Left, s.Objects[i].Top));
    for (int i = 1; i <= s.Texts.count(); ++i)
        showText(i);
    showPaths(0);
}

void frmMapa::showTitle()
{
    // A mark after the title while the strat has changes that are not saved.
    QString shown = title();
    if (m_document.isModified())
        shown += QStringLiteral(" *");
    if (isReadOnly())
        shown = m_ws.language.text(QStringLiteral("s0100"), QStringLiteral("Shared by %1: %2"))
                    .arg(m_sharedBy, shown);
    m_lblTitulo->setText(shown);
    setWindowTitle(shown);
}

void frmMapa::showOverview()
{
    // Only a plain name inside Overviews/ is looked up.
    setBackground(QPixmap::fromImage(Overview::load(strat().Overview.trimmed())));
}

} // namespace vantrel
