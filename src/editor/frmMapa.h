#pragma once

#include "animation/clsMovimento.h"
#include "strat/StratFile.h"
#include "strat/StratRecords.h"

#include <QPixmap>
#include <QPoint>
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
// The public operations keep their names; the mouse and key handlers take
// twips and buttons, so they can be driven without real events. The handlers
// live in frmMapa*.cpp by topic (objects, texts, paths, links, file).
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
    int16_t iObj() const { return m_strat.Objects.count(); }
    int16_t iTxt() const { return m_strat.Texts.count(); }
    int16_t iMI = 0;         // slot 1..11; 0 when the window is closed
    bool bMovimento = false; // the next press adds a way point
    QString sArquivo;        // path of the strat file last opened or saved

    // --- the strat and its controls
    const Strat &strat() const { return m_strat; }
    StratSurface &surface() { return *m_surface; }
    MapView *view() const { return m_view; }
    int16_t MarkerCount() const { return m_markerCount; }
    // Way point number shown by marker k (0 for a number without one).
    int16_t MarkerPoint(int k) const;
    // The engine of movement m, or null when it has none yet.
    clsMovimento *engine(int m) const;
    // The first movement whose engine moves object `obj`, or -1.
    int movementOf(int obj) const;
    int16_t LastPlacedObject = 0;

    // Opens a strat file into this (empty) window and rebuilds its picture.
    // A file that cannot be read leaves the window empty and returns the reason.
    StratFileResult AbreTatica(const QString &sArq);
    // Saves the strat; asks for a file when there is none or `bComo` is set.
    // A cancelled dialog returns ok with an empty message and writes nothing.
    StratFileResult SalvaTatica(bool bComo);

    // --- editing operations
    void ApagaObjeto(int16_t Index);
    void ApagaTexto(int16_t Index);
    void MudaCor();
    // Removes marker Index and every later marker of movement ittM.
    void ApagaMovimento(int16_t Index, int16_t ittM);
    void AdicionaLink();
    void EditaLink(int16_t iL);
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
    // Where a popup menu opens (the mouse position of the latest event).
    void setLastGlobalPos(const QPoint &pos) { m_lastGlobalPos = pos; }

    // --- playback state the editor consults (playback itself comes later)
    bool bPausa = false;
    bool isRunning() const { return m_picGOTag.toInt() != 0; }

    // --- the shell's hooks
    void setTitleLabel(const QString &text); // lblTitulo
    QString titleLabel() const;
    void setBackground(const QPixmap &picture); // drawn at its own size, top-left
    // Discards the strat: every list, count, engine and control; iMI 0.
    void discardStrat();

Q_SIGNALS:
    // The close mark lblFechar was clicked.
    void closeRequested(frmMapa *window);
    // The title label was double-clicked.
    void renameRequested(frmMapa *window);

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
    QPixmap palettepicture(int index) const;
    clsMovimento &ensureEngine(int m);
    void startDrag(double x, double y, const QPointF &topLeft);
    // Proposes the dragged element's new place and shows `frame` there.
    void dragTo(double x, double y, QGraphicsRectItem *frame);
    void setSurfaceCursor(const QCursor &cursor);
    void unsetSurfaceCursor();
    QWidget *movableWindow();
    void placeObject(double x, double y);
    void insertText(double x, double y);
    void addWayPoint(double x, double y);
    int selectedObject() const;
    // Centre of the highest marker below k of movement m, or null when none.
    bool previousMarkerCentre(int k, int m, QPointF &centre) const;
    // Every list and the marker numbers are 16-bit: when `full`, says so and
    // returns true, and the caller leaves the strat as it is.
    bool refuseWhenFull(bool full) const;
    QPointF pathEnd(int obj) const;
    void showRubberBand(double x, double y);
    void rebuildPicture();

    Workspace &m_ws;
    Strat m_strat;
    std::unique_ptr<StratSurface> m_surface;
    MapView *m_view = nullptr;
    int16_t m_markerCount = 0;
    std::vector<int16_t> m_markerPoint{0};                // 0..MarkerCount
    std::vector<std::unique_ptr<clsMovimento>> m_engines; // movement m at m
    DragState m_drag;
    QPoint m_moveStart;
    QPoint m_lastGlobalPos;
    QString m_picGOTag = QStringLiteral("0");

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
