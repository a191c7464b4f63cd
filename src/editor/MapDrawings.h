#pragma once

#include "editor/DrawingMenu.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRectF>

class QWidget;

namespace vantrel {

class Playback;
class StratDocument;
class StratSurface;
class Workspace;

// The drawings of one strat window: the surface's drawing layer follows the
// document (edits, undo, loads) and the run (each frame shows the drawings
// on cue), the "Drawings" toggle shows or hides them all, and a right click
// on one opens its menu.
class MapDrawings : public QObject
{
    Q_OBJECT

public:
    MapDrawings(Workspace &workspace, StratDocument &document, Playback &playback,
                StratSurface &surface, QWidget *window);
    ~MapDrawings() override;

    // The "Drawings" toggle; a new or opened strat shows its drawings.
    bool allShown() const { return m_allShown; }
    void setAllShown(bool shown);

    // What drawing `index` paints, in twips.
    QRectF bounds(int index) const;
    // Moves drawing `index` by `offset` twips, as one edit.
    void move(int index, const QPoint &offset);
    // The menu of drawing `index` at `globalPos`: colour, width, filled, cue
    // and remove. The last one opened stays reachable until the next.
    void openMenu(int index, const QPoint &globalPos);
    DrawingMenu *menu() const { return m_menu; }

Q_SIGNALS:
    void allShownChanged(bool shown);

private:
    void showDrawings();
    void showFrame();

    Workspace &m_ws;
    StratDocument &m_document;
    Playback &m_playback;
    StratSurface &m_surface;
    QWidget *m_window;
    QPointer<DrawingMenu> m_menu;
    bool m_allShown = true;
};

} // namespace vantrel
