#pragma once

#include "animation/FrameTimer.h"
#include "animation/MovementEngines.h"
#include "animation/MovingSprite.h"
#include "export/FrameRecorder.h"
#include "strat/StratDocument.h"
#include "strat/StratFile.h"
#include "strat/StratRecords.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class QGraphicsRectItem;
class QLabel;

namespace vantrel {

struct Workspace;
class frmLink;
class MapView;
class StratSurface;

// A strat window: a frameless 799 x 585 pixel child of the main window's MDI
// area that owns one strat. Its surface is a scene in twips (StratSurface)
// shown by a MapView; the top strip holds the title, the close mark, the
// homepage link, the frame counter, the clock and the play and pause buttons.
// The strat itself is a StratDocument: every edit goes through it as one undo
// step, and the scene items and engines follow its change signals
// (frmMapaScene.cpp). The public operations keep their names; the mouse and
// key handlers take twips and buttons, so they can be driven without real
// events. The handlers live in frmMapa*.cpp by topic (objects, texts, paths,
// links, file).
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
    clsMovimento *engine(int m) const { return m_engines.engine(m); }
    // The first movement whose engine moves object `obj`, or -1.
    int movementOf(int obj) const { return m_document.movementOf(obj); }
    // The most recently placed object (0 when none).
    int16_t LastPlacedObject() const { return m_lastPlacedObject; }

    // Opens a strat file into this (empty) window and rebuilds its picture.
    // A file that cannot be read leaves the window empty and returns the reason.
    FileResult AbreTatica(const QString &sArq);
    // Saves the strat; asks for a file when there is none or `bComo` is set.
    // A cancelled dialog returns ok with an empty message and writes nothing.
    FileResult SalvaTatica(bool bComo);

    // --- editing operations
    void ApagaObjeto(int16_t Index);
    void ApagaTexto(int16_t Index);
    void MudaCor();
    // Removes marker Index and every later marker of movement ittM.
    void ApagaMovimento(int16_t Index, int16_t ittM);
    void AdicionaLink(const QString &LinkText);
    void EditaLink(int16_t iL, const QString &LinkText);
    // Fills the Link dialog with the selection's link, if it has one.
    void ProcuraLink(frmLink &dialog);
    // The number of the selection's link, or 0.
    int16_t findLink() const;
    void ApagaLink();

    // --- the surface's handlers; positions in twips (objects, texts and
    // markers: relative to the control's top-left)
    void surfacePress(Qt::MouseButton button, double x, double y);
    void surfaceMove(Qt::MouseButtons buttons, double x, double y);
    void surfaceRelease(Qt::MouseButton button, bool shift, double x, double y);
    void objectPress(int16_t i, Qt::MouseButton button, double x, double y);
    void objectMove(int16_t i, Qt::MouseButtons buttons, double x, double y);
    void objectRelease(int16_t i, Qt::MouseButton button);
    void textPress(int16_t i, Qt::MouseButton button, double x, double y);
    void textMove(int16_t i, Qt::MouseButtons buttons, double x, double y);
    void textRelease(int16_t i, Qt::MouseButton button);
    void textDoubleClick(int16_t i);
    void markerPress(int16_t k, Qt::MouseButton button, double x, double y);
    void markerMove(int16_t k, Qt::MouseButtons buttons, double x, double y);
    void markerRelease(int16_t k, Qt::MouseButton button);
    void markerDoubleClick(int16_t k);
    void keyDown(int key);
    void keyUp(int key);
    // Arms the way-point tool for this window ("Add Movement").
    void armWayPoint();
    // Where a popup menu opens (the mouse position of the latest event).
    void setLastGlobalPos(const QPoint &pos) { m_lastGlobalPos = pos; }

    // --- what the tools do (EditorTool.h); positions in twips
    void placeObject(int16_t paletteIndex, double x, double y);
    void insertText(double x, double y);
    void addWayPoint(double x, double y);
    void showRubberBand(double x, double y);
    void setSurfaceCursor(const QCursor &cursor);
    void unsetSurfaceCursor();
    // What a window move moves: the MDI subwindow holding this window.
    QWidget *movableWindow();

    // --- playback (frmMapaPlayback.cpp). While a run is on or paused the
    // document's undo is suspended; the Edit menu follows.
    bool bPausa = false;
    bool isRunning() const { return m_picGOTag.toInt() != 0; }
    // Start or stop; stop rewinds every object, marker, line and engine.
    void picGO_Click();
    // Pause or resume a run; nothing on a stopped window.
    void picPause_Click();
    // One frame: every engine steps, the counter advances, then every
    // engine's lFrame, then the recording hook.
    void tmrT_Timer();
    // One second of the clock.
    void tmrTempo_Timer();
    int32_t lQuadro() const { return m_lQuadro; }
    int16_t iSegundos() const { return m_iSegundos; }
    FrameTimer &tmrT() { return m_tmrT; }
    QTimer &tmrTempo() { return m_tmrTempo; }
    QLabel *picGO() const { return m_picGO; }
    QLabel *picPause() const { return m_picPause; }
    QLabel *lblFrame() const { return m_lblFrame; }
    QLabel *lblSegs() const { return m_lblSegs; }

    // --- scrubbing (frmMapaScrub.cpp)
    // Jumps to `frame` by rewinding and replaying every engine from a stop,
    // so frame N always looks like N ticks from a stop; a stopped window
    // becomes a paused run at that frame. Nothing happens while recording.
    void seekFrame(int32_t frame);
    // The last frame at which anything moves when the strat plays from a stop
    // (0 for a strat without movement); looks at most kMaxScrubFrames ahead.
    int32_t restingFrame() const;
    static constexpr int32_t kMaxScrubFrames = 100'000;

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
    // stay in the frame folder for SAVE.
    void Exporta_Video();
    QWidget *picHide() const { return m_picHide; }

    // --- the shell's hooks
    void setTitleLabel(const QString &text); // lblTitulo
    QString titleLabel() const;
    // A new title, as one undo step; the label and the slot table follow.
    void rename(const QString &title);
    void setBackground(const QPixmap &picture); // drawn at its own size, top-left
    // Discards the strat: every list, count, engine and control; iMI 0.
    void discardStrat();

Q_SIGNALS:
    // The close mark lblFechar was clicked.
    void closeRequested(frmMapa *window);
    // The title label was double-clicked.
    void renameRequested(frmMapa *window);
    // The frame counter changed: a tick, a stop or a jump.
    void frameChanged(int32_t frame);
    // Started, paused, resumed or stopped.
    void runStateChanged();
    // A recording ended: by STOP, or because the strat was closed.
    void recordingStopped(frmMapa *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One drag at a time per window: of an object, a text or a marker.
    struct DragState
    {
        bool Dragging = false;
        int16_t grabX = 0, grabY = 0;
        int16_t startLeft = 0, startTop = 0;
        int16_t newLeft = 0, newTop = 0;
    };

    void buildTopStrip();
    QPixmap palettePicture(int index) const;
    // The scene follows the document (frmMapaScene.cpp).
    void followDocument();
    void showObject(int i);
    void showText(int i);
    // Redraws the markers and lines of movement m, or of all with m = 0.
    void showPaths(int m);
    void showAll();
    void showTitle();
    void showOverview();
    void startDrag(double x, double y, const QPointF &topLeft);
    // Proposes the dragged element's new place and shows `frame` there.
    void dragTo(double x, double y, QGraphicsRectItem *frame);
    int selectedObject() const;
    // Centre of the highest marker below k of movement m, or null when none.
    bool previousMarkerCentre(int k, int m, QPointF &centre) const;
    // Every list and the marker numbers are 16-bit: when `full`, says so and
    // returns true, and the caller leaves the strat as it is.
    bool refuseWhenFull(bool full) const;
    QPointF pathEnd(int obj) const;

    Workspace &m_ws;
    StratDocument m_document;
    MovementEngines m_engines;
    std::unique_ptr<StratSurface> m_surface;
    MapView *m_view = nullptr;
    DragState m_drag;
    int16_t m_lastPlacedObject = 0;
    QPoint m_lastGlobalPos;
    QString m_picGOTag = QStringLiteral("0");

    void buildPlayback();
    void setPicGOTag(const QString &tag);
    // Object i is a grenade box, hidden from the start of a run until its
    // first leg starts.
    bool hiddenAtStart(int i) const;
    // Bare sprites of the objects at their stored places, visible as at the
    // start of a run; `pointers` by object number, null without a picture.
    void startSprites(std::vector<GridSprite> &sprites, std::vector<GridSprite *> &pointers) const;
    // The end of a frame: captures the window when a recording wants it.
    void recordingHook();
    int32_t m_lQuadro = 0;
    int16_t m_iSegundos = 0;
    FrameTimer m_tmrT;
    QTimer m_tmrTempo;
    FrameRecorder m_recorder;
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
