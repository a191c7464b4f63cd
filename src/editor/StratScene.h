#pragma once

#include "editor/StratSurface.h"
#include "editor/SurfaceSprites.h"

#include <QObject>
#include <QPixmap>

#include <array>

namespace vantrel {

class StratDocument;

// The scene of a strat window following its document: objects, texts,
// markers and lines are created, moved and unloaded as the document's change
// signals say, after an edit, an undo or a redo alike, and the overview is
// drawn behind them. It owns the surface and the sprites playback moves.
class StratScene : public QObject
{
    Q_OBJECT

public:
    // `palette`: the pictures objects are drawn with (the workspace's).
    StratScene(StratDocument &document, const std::array<QPixmap, 13> &palette);

    StratSurface &surface() { return m_surface; }
    SurfaceSprites &sprites() { return m_sprites; }
    // The path markers and lines vanish during a run.
    void setPathsVisible(bool visible);
    void showOverview();

private:
    void showObject(int i);
    void showText(int i);
    // Redraws the markers and lines of movement m, or of all with m = 0.
    void showPaths(int m);
    void showAll();

    StratDocument &m_document;
    const std::array<QPixmap, 13> &m_palette;
    StratSurface m_surface;
    SurfaceSprites m_sprites;
};

} // namespace vantrel
