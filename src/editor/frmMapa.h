#pragma once

#include "animation/PlayFollower.h"
#include "animation/Playback.h"
#include "editor/MapEvent.h"
#include "fileio/FileResult.h"
#include "strat/StratDocument.h"
#include "strat/StratFile.h"
#include "strat/StratRecords.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <memory>

namespace vantrel {

class Workspace;
class MapInput;
class MapView;
class MapDrawings;
class StratEditor;
class StratRecording;
class SharedCopy;
class StratScene;
class StratStrip;
class StratSurface;

// A strat window: a frameless 799 x 585 pixel child of the main window's MDI
// area that owns one strat. Its surface is a scene in twips (StratSurface)
// shown by a MapView; the top strip holds the title, the close mark, the
// homepage link, the frame counter, the clock and the play and pause buttons
// (StratStrip). The strat itself is a StratDocument: every edit goes through
// it as one undo step, and the scene items (StratScene) and engines follow
// its change signals. Mouse and key events on the map go to the armed tool
// and then to the window's select tool (MapInput); the edits that ask the
// user live in its StratEditor, which also keeps the selection.
class frmMapa : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidthPixels = 799;
    static constexpr int kHeightPixels = 585;

    frmMapa(Workspace &workspace, QWidget *parent = nullptr);
    ~frmMapa() override;

    // --- public fields, as other windows use them
    int16_t iObj() const { return strat().Objects.count(); }
    int16_t iTxt() const { return strat().Texts.count(); }
    int16_t iMI = 0; // slot 1..11; 0 when the window is closed
    // The next press adds a way point: the way-point tool is armed for this window.
    bool bMovimento() const;
    QString sArquivo; // path of the strat file last opened or saved

    // --- the strat and its controls
    const Strat &strat() const { return m_document.strat(); }
    StratDocument &document() { return m_document; }
    StratSurface &surface();
    MapView *view() const { return m_view; }
    int16_t MarkerCount() const { return m_document.MarkerCount(); }
    // The edits that ask the user, and the selection they act on.
    StratEditor &editor() { return *m_editor; }
    // The drawings on the map: their layer, the "Drawings" toggle, their menu.
    MapDrawings &mapDrawings() { return *m_drawings; }

    // Opens a strat file into this (empty) window and rebuilds its picture.
    // A file that cannot be read leaves the window empty and returns the reason.
    FileResult AbreTatica(const QString &sArq);
    // Saves the strat; asks for a file when there is none or `bComo` is set.
    // A cancelled dialog returns ok with an empty message and writes nothing.
    FileResult SalvaTatica(bool bComo);

    // The map's mouse and key events, from the view.
    MapInput &input() { return *m_input; }

    // --- what the tools use
    void disarmTool();
    // The end of a press-and-release on the map: the cursor and the main
    // window's preview go back unless Shift is held, the band and frames hide.
    void endGesture(bool shift);
    // The popup menu of an object or text, or of a way-point marker.
    void openPopupMenu(MapHit::Kind kind, const QPoint &globalPos);

    // --- playback: the window shows the run of its Playback (the play and
    // stop picture, the frame counter, the clock, the markers and lines
    // hidden during a run, undo suspended) and its buttons and keys drive it.
    Playback &playback() { return m_playback; }
    // Start or stop; stop rewinds every object, marker, line and engine.
    void picGO_Click();
    // Pause or resume a run; nothing on a stopped window.
    void picPause_Click();

    // --- capture and export (frmMapaExport.cpp)
    // The window as it is drawn, rendered from the window itself into an
    // image of its own size.
    QImage capture();
    // What an export writes: the capture with the close mark, the play and
    // pause buttons and the clock hidden.
    QImage exportPicture();
    // "Export as Image": asks for a file and writes the JPEG; a failure is
    // shown in a message box.
    void Exporta();

    // --- video recording
    StratRecording &recording() { return *m_recording; }
    bool bGravando() const;
    // Starts or stops a recording (StratRecording::toggle).
    void Exporta_Video();

    // --- the team board: the read-only copy of a strat another player
    // shares, its follower and its pings.
    SharedCopy &sharing() { return *m_sharing; }

    // Discards the strat: every list, count, engine and control; iMI 0.
    void discardStrat();

Q_SIGNALS:
    // The close mark lblFechar was clicked.
    void closeRequested(frmMapa *window);
    // The title label was double-clicked.
    void renameRequested(frmMapa *window);
    // A recording ended: by STOP, or because the strat was closed.
    void recordingStopped(frmMapa *window);

private:
    Workspace &m_ws;
    StratDocument m_document;
    std::unique_ptr<StratScene> m_scene;
    std::unique_ptr<StratEditor> m_editor;
    Playback m_playback;
    MapView *m_view = nullptr;
    std::unique_ptr<MapInput> m_input;
    StratStrip *m_strip = nullptr;
    StratRecording *m_recording = nullptr;
    SharedCopy *m_sharing = nullptr;
    std::unique_ptr<MapDrawings> m_drawings;
};

} // namespace vantrel
