#include "editor/StratEditor.h"

#include "editor/EditorPictures.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmCores.h"
#include "editor/frmLink.h"
#include "editor/frmMov.h"
#include "editor/frmTexto.h"
#include "strat/StratDocument.h"
#include "uiservice/Ui.h"

#include <QLineEdit>

#include <cmath>

namespace vantrel {

StratEditor::StratEditor(Workspace &workspace, StratDocument &document, StratSurface &surface)
    : m_ws(workspace)
    , m_document(document)
    , m_surface(surface)
{
}

void StratEditor::reset()
{
    m_selection = StratSelection();
    m_lastPlacedObject = 0;
}

bool StratEditor::refuseWhenFull(bool full) const
{
    if (full)
        m_ws.ui.messageBox(m_ws.owner,
                           QStringLiteral("This strat is full: it holds at most %1 objects, "
                                          "texts, movements, way points and links of each kind.")
                               .arg(INT16_MAX),
                           {}, MsgButtons::Ok, MsgIcon::Exclamation);
    return full;
}

// --- objects

void StratEditor::placeObject(int16_t paletteIndex, double x, double y)
{
    if (EditorPictures::palettePicture(m_ws.palette, paletteIndex).isNull())
        return; // no palette icon of that number: nothing to place
    if (refuseWhenFull(m_document.strat().Objects.count() == INT16_MAX))
        return;
    const float left = float(std::lround(x) - kObjectAnchor);
    const float top = float(std::lround(y) - kObjectAnchor);
    m_lastPlacedObject = m_document.placeObject(paletteIndex, left, top);
}

void StratEditor::ApagaObjeto(int16_t Index)
{
    m_document.removeObject(Index);
}

// --- texts

void StratEditor::insertText(double x, double y)
{
    if (refuseWhenFull(m_document.strat().Texts.count() == INT16_MAX))
        return;
    frmTexto dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    m_ws.ui.runModal(dialog);
    const QString caption = dialog.DialogText();
    if (caption.isEmpty())
        return;
    // The press point is the text's top-left corner (no centring).
    m_document.insertText(float(std::lround(x)), float(std::lround(y)), caption);
}

void StratEditor::editText(int16_t i)
{
    if (!m_document.strat().Texts.contains(i) || !m_document.isTextShown(i))
        return;
    frmTexto dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    dialog.txtTexto()->setText(m_document.strat().Texts[i].Caption);
    m_ws.ui.runModal(dialog);
    // An empty result keeps the text: a text cannot be emptied by editing.
    const QString caption = dialog.DialogText();
    if (!caption.isEmpty())
        m_document.editText(i, caption);
}

void StratEditor::ApagaTexto(int16_t Index)
{
    m_document.removeText(Index);
}

// --- way points

int StratEditor::selectedObject() const
{
    // A way point's selection names its movement; the path belongs to the
    // movement's owner object.
    if (m_selection.Point != 0)
        return m_document.owner(m_selection.Item);
    return m_selection.Item;
}

int StratEditor::wayPointCount(int m) const
{
    return m > 0 ? int(m_document.enginePoints(m).size()) : 0;
}

bool StratEditor::previousMarkerCentre(int k, int m, QPointF &centre) const
{
    for (int j = k - 1; j >= 1; --j) {
        if (const MarkerItem *marker = m_surface.picM(j); marker && marker->tag() == m) {
            centre = marker->centre();
            return true;
        }
    }
    return false;
}

QPointF StratEditor::pathEnd(int obj) const
{
    const int m = m_document.movementOf(obj);
    QPointF end;
    if (wayPointCount(m) != 0 && previousMarkerCentre(m_document.MarkerCount() + 1, m, end))
        return end;
    if (const ObjectItem *item = m_surface.imgObj(obj))
        return item->pos() + QPointF(kObjectAnchor, kObjectAnchor);
    return {};
}

void StratEditor::showRubberBand(double x, double y)
{
    const int obj = selectedObject();
    if (!m_surface.imgObj(obj))
        return;
    QGraphicsLineItem *band = m_surface.tlinha();
    band->setLine(QLineF(pathEnd(obj), QPointF(x, y)));
    band->show();
}

void StratEditor::addWayPoint(double x, double y)
{
    const int obj = selectedObject();
    ObjectItem *object = m_surface.imgObj(obj);
    // A removed object gets no path.
    if (!object || !m_document.isObjectDrawn(obj))
        return;
    const int32_t px = int32_t(std::lround(x));
    const int32_t py = int32_t(std::lround(y));
    const Strat &strat = m_document.strat();

    // While the dialog is open the new marker and its line are shown; the
    // way point itself is stored only on OK, as one undo step.
    const int m = m_document.movementOf(obj);
    const int points = wayPointCount(m);
    if (refuseWhenFull(m_document.MarkerCount() == INT16_MAX
                       || (m < 0 && strat.Movements.count() == INT16_MAX) || points == INT16_MAX))
        return;
    const int16_t w = int16_t(m_document.MarkerCount() + 1);
    const uint32_t color = m > 0 && strat.LineColors.contains(m) && strat.LineColors[m] != 0
                               ? strat.LineColors[m]
                               : kButtonFaceColor;
    const int16_t tag = int16_t(m > 0 ? m : strat.Movements.count() + 1);
    m_surface.loadMarker(w, tag, color, QPointF(px - kMarkerCentre, py - kMarkerCentre));
    QPointF start = object->pos() + QPointF(kObjectAnchor, kObjectAnchor);
    if (points != 0)
        previousMarkerCentre(w, m, start);
    m_surface.loadLine(w, tag, color, start, QPointF(px, py));

    frmMov dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    dialog.prepareForNewPoint(object->heightTwips() == 210);
    m_ws.ui.runModal(dialog);
    m_surface.unloadMarker(w);
    m_surface.unloadLine(w);
    // Closing the dialog without OK adds no way point.
    if (const auto &answer = dialog.answer())
        m_document.addWayPoint(int16_t(obj), px - kObjectAnchor, py - kObjectAnchor,
                               answer->DialogStartFrame, answer->DialogVelocity);
}

void StratEditor::editWayPoint(int16_t k)
{
    const MarkerItem *marker = m_surface.picM(k);
    if (!marker)
        return;
    const Strat &strat = m_document.strat();
    const int m = marker->tag();
    const int16_t p = m_document.MarkerPoint(k);
    if (!strat.Movements.contains(m) || !strat.Movements[m].hasPoint(p))
        return;
    const MovementPoint &point = strat.Movements[m].Points[size_t(p)];
    frmMov dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    dialog.prepareForEdit(point.StartFrame, point.Velocity);
    m_ws.ui.runModal(dialog);
    // Closing the dialog without OK changes nothing.
    if (const auto &answer = dialog.answer())
        m_document.editWayPoint(k, answer->DialogStartFrame, answer->DialogVelocity);
}

void StratEditor::ApagaMovimento(int16_t Index, int16_t ittM)
{
    m_document.cutPath(Index, ittM);
}

void StratEditor::MudaCor()
{
    const Strat &strat = m_document.strat();
    const int m = m_document.movementOf(m_selection.Item);
    if (m < 1 || !strat.LineColors.contains(m))
        return;
    frmCores dialog(strat.LineColors[m], m_ws.owner);
    m_ws.language.translate(&dialog);
    m_ws.ui.runModal(dialog);
    m_document.setLineColor(int16_t(m), dialog.ChosenColor());
}

// --- links, keyed by the selection

int16_t StratEditor::findLink() const
{
    const Strat &strat = m_document.strat();
    const int16_t point = m_document.MarkerPoint(m_selection.Point);
    for (int i = 1; i <= strat.Links.count(); ++i) {
        const StratLink &link = strat.Links[i];
        if (m_selection.Point == 0) {
            if (link.ObjectIndex == m_selection.Item)
                return int16_t(i);
        } else if (link.PointIndex == point && link.MovementIndex == m_selection.Item) {
            return int16_t(i);
        }
    }
    return 0;
}

void StratEditor::ProcuraLink(frmLink &dialog) const
{
    if (const int16_t i = findLink()) {
        dialog.txtLink()->setText(m_document.strat().Links[i].Target);
        dialog.setEditLinkIndex(i);
    }
}

void StratEditor::AdicionaLink(const QString &LinkText)
{
    if (refuseWhenFull(m_document.strat().Links.count() == INT16_MAX))
        return;
    StratLink link;
    link.Target = LinkText;
    if (m_selection.Point != 0) {
        const WayPointMarker &marker = m_document.marker(m_selection.Point);
        link.MovementIndex = marker.live ? marker.movement : m_selection.Item;
        link.PointIndex = m_document.MarkerPoint(m_selection.Point);
    } else {
        link.ObjectIndex = m_selection.Item;
    }
    m_document.addLink(link);
}

void StratEditor::EditaLink(int16_t iL, const QString &LinkText)
{
    m_document.setLinkTarget(iL, LinkText);
}

void StratEditor::ApagaLink()
{
    if (const int16_t i = findLink())
        m_document.clearLink(i);
}

} // namespace vantrel
