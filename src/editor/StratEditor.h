#pragma once

#include "editor/StratSelection.h"

#include <QPixmap>
#include <QPointF>
#include <QString>

#include <cstdint>

namespace vantrel {

class Workspace;
class StratDocument;
class StratSurface;
class frmLink;

// The edits of one strat window that ask the user or need the map: placing
// objects, inserting and editing texts, adding and editing way points with
// their rubber band, line colours and links, each stored as one document
// edit. It keeps the window's selection (the last right-click), which the
// popup menus' commands act on.
class StratEditor
{
public:
    StratEditor(Workspace &workspace, StratDocument &document, StratSurface &surface);

    StratSelection &selection() { return m_selection; }
    const StratSelection &selection() const { return m_selection; }
    // The most recently placed object (0 when none).
    int16_t lastPlacedObject() const { return m_lastPlacedObject; }
    // Forgets the selection and the last placed object.
    void reset();

    // Positions in twips on the map.
    void placeObject(int16_t paletteIndex, double x, double y);
    void insertText(double x, double y);
    void editText(int16_t i);
    // A way point for the selected object's path, asked for in the Movement
    // dialog; the marker and its line show while the dialog is open.
    void addWayPoint(double x, double y);
    void editWayPoint(int16_t k);
    // The rubber band from the selected object's path end to (x, y).
    void showRubberBand(double x, double y);

    // The popup menus' commands on the selection.
    void ApagaObjeto(int16_t Index);
    void ApagaTexto(int16_t Index);
    // Removes marker Index and every later marker of movement ittM.
    void ApagaMovimento(int16_t Index, int16_t ittM);
    void MudaCor();
    void AdicionaLink(const QString &LinkText);
    void EditaLink(int16_t iL, const QString &LinkText);
    // Fills the Link dialog with the selection's link, if it has one.
    void ProcuraLink(frmLink &dialog) const;
    // The number of the selection's link, or 0.
    int16_t findLink() const;
    void ApagaLink();

private:
    // The object whose path the selection names.
    int selectedObject() const;
    int wayPointCount(int m) const;
    // Centre of the highest marker below k of movement m, or false.
    bool previousMarkerCentre(int k, int m, QPointF &centre) const;
    QPointF pathEnd(int obj) const;
    // Every list and the marker numbers are 16-bit: when `full`, says so and
    // returns true, and the caller leaves the strat as it is.
    bool refuseWhenFull(bool full) const;

    Workspace &m_ws;
    StratDocument &m_document;
    StratSurface &m_surface;
    StratSelection m_selection;
    int16_t m_lastPlacedObject = 0;
};

} // namespace vantrel
