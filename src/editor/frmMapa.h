#pragma once

#include "animation/Playback.h"
#include "editor/MapEvent.h"
#include "editor/SurfaceSprites.h"
#include "export/FrameRecorder.h"
#include "strat/StratDocument.h"
#include "strat/StratFile.h"
#include "strat/StratRecords.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;

namespace vantrel {

class Workspace;
class MapView;
class EditorTool;
class MapDrawings;
class SelectTool;
class StratEditor;
class StratSurface;

// A strat window: a frameless 799 x 585 pixel child of the main window's MDI
// area that owns one strat. Its surface is a scene in twips (StratSurface)
// shown by a MapView; the top strip holds the title, the close mark, the
// homepage link, the frame counter, the clock and the play and pause buttons.
// The strat itself is a StratDocument: every edit goes through it as one undo
// step, and the scene items and engines follow its change signals
// (frmMapaScene.cpp). Mouse and key events on the map go to the armed tool
// and then to the window's select tool (EditorTool.h); the edits that ask the
// user live in its StratEditor, which also keeps the selection.
class frmMapa : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidthPixels = 799;
    static constexpr int kHeightPixels = 585;
    static constexpr const char *kHomepage = "http://www.vantrel.net";

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
    StratSurface &surface() { return *m_surface; }
    MapView *view() const { return m_view; }
    int16_t MarkerCount() const { return m_document.MarkerCount(); }
    // Way point number shown by marker k (0 for a number without one).
    int16_t MarkerPoint(int k) const { return m_document.MarkerPoint(k); }
    // The engine of movement m, or null when it has none yet.
    clsMovimento *engine(int m) const { return m_playback.engines().engine(m); }
    // The first movement whose engine moves object `obj`, or -1.
    int movementOf(int obj) const { return m_document.movementOf(obj); }
    // The title as the document holds it, without the modified mark.
    QString title() const { return strat().Title.trimmed(); }
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

    // --- the map's events, from the view: the armed tool sees each first,
    // then the window's select tool.
    void mapPress(const MapEvent &event);
    void mapMove(const MapEvent &event);
    void mapRelease(const MapEvent &event);
    void mapDoubleClick(const MapEvent &event);
    void keyDown(int key);
    void keyUp(int key);
    // Arms the way-point tool for this window ("Add Movement").
    void armWayPoint();

    // --- what the tools use
    void disarmTool();
    // The end of a press-and-release on the map: the cursor and the main
    // window's preview go back unless Shift is held, the band and frames hide.
    void endGesture(bool shift);
    // The popup menu of an object or text, or of a way-point marker.
    void openPopupMenu(MapHit::Kind kind, const QPoint &globalPos);
    void setSurfaceCursor(const QCursor &cursor);
    void unsetSurfaceCursor();
    // What a window move moves: the MDI subwindow holding this window.
    QWidget *movableWindow();

    // --- playback (frmMapaPlayback.cpp): the window shows the run of its
    // Playback (the play and stop picture, the frame counter, the clock, the
    // markers and lines hidden during a run, undo suspended) and its buttons
    // and keys drive it.
    Playback &playback() { return m_playback; }
    const Playback &playback() const { return m_playback; }
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
    // "Copy as Image": the export's picture on the clipboard.
    void copyPicture();

    // --- video recording (frmMapaVideo.cpp)
    const FrameRecorder &recorder() const { return m_recorder; }
    bool bGravando() const { return m_recorder.bGravando(); }
    // Full motion records every frame (64 a second) from the next start on.
    void setFullMotion(bool on) { m_recorder.setFullMotion(on); }
    // Starts or stops a recording; each toggles the run once. The frames
    // stay in the frame folder for SAVE. A recording that cannot start, or
    // a frame that cannot be written, ends it with a message saying why.
    void Exporta_Video();
    // Why the last recording could not start or ended early; empty when it
    // did not.
    const QString &recordingFailure() const { return m_recordingFailure; }
    QWidget *picHide() const { return m_picHide; }

    // --- the shell's hooks
    void setBackground(const QPixmap &picture); // drawn at its own size, top-left
    // Discards the strat: every list, count, engine and control; iMI 0.
    void discardStrat();

Q_SIGNALS:
    // The close mark lblFechar was clicked.
    void closeRequested(frmMapa *window);
    // The title label was double-clicked.
    void renameRequested(frmMapa *window);
    // A recording ended: by STOP, or because the strat was closed.
    void recordingStopped(frmMapa *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopStrip();
    // The scene follows the document (frmMapaScene.cpp).
    void followDocument();
    void showObject(int i);
    void showText(int i);
    // Redraws the markers and lines of movement m, or of all with m = 0.
    void showPaths(int m);
    void showAll();
    void showTitle();
    void showOverview();

    Workspace &m_ws;
    StratDocument m_document;
    std::unique_ptr<StratSurface> m_surface;
    SurfaceSprites m_sprites;
    Playback m_playback;
    MapView *m_view = nullptr;
    std::unique_ptr<StratEditor> m_editor;
    std::unique_ptr<SelectTool> m_selectTool;
    std::unique_ptr<MapDrawings> m_drawings;

    void buildPlayback();
    void showRunState(Playback::State state);
    // The end of a frame: captures the window when a recording wants it.
    void recordingHook();
    FrameRecorder m_recorder;
    QString m_recordingFailure;
    QWidget *m_picHide = nullptr;

    QWidget *m_strip = nullptr;
    QLabel *m_lblTitulo = nullptr;
    QLabel *m_lblFechar = nullptr;
    QLabel *m_lblSite = nullptr;
    QLabel *m_lblFrame = nullptr;
    QLabel *m_lblSegs = nullptr;
    QLabel *m_picGO = nullptr;
    QLabel *m_picPause = nullptr;
};

} // namespace vantrel
