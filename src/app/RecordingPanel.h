#pragma once

#include "editor/frmMapa.h"
#include "export/RecordingRate.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace vantrel {

class Workspace;

// The recording panel of the main window (picREC with REC/STOP, SAVE, the
// progress bar picP and the close mark) and "Export as Video". REC starts
// recording in the active strat window; STOP and SAVE act on the window the
// recording started in, whichever is active by then. Closing that window ends
// the recording with its frames kept, ready for SAVE. The frames stay until
// the next REC or until the panel is closed, so SAVE can be repeated in
// another format, and a cancelled SAVE loses nothing.
class RecordingPanel : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QFrame *picREC = nullptr;
        QLabel *picP = nullptr;
        QPushButton *cmdRec = nullptr;
        QPushButton *cmdSave = nullptr;
        QAction *mnuVideo = nullptr;
        // The main window's SetStatus on picP.
        std::function<void(int percent)> setStatus;
        // "Full motion": every frame recorded, 64 a second.
        QCheckBox *chkFullMotion = nullptr;
        // Closes the panel; the frames go with it.
        QToolButton *cmdClose = nullptr;
    };

    RecordingPanel(Workspace &workspace, const Controls &controls, QObject *parent = nullptr);

    // "Export as Video": opens the panel for the active strat window.
    void mnuVideo_Click();
    void cmdRec_Click();
    void cmdSave_Click();
    void cmdClose_Click();

    // The window the recording started in (null before REC or once closed).
    frmMapa *recordingWindow() const { return m_window; }

private:
    // The panel ready for REC: bar cleared, REC on, SAVE off.
    void Abre_Video();
    // STOP has been pressed, the window closed, or a frame failed: SAVE on;
    // REC on again only when there is nothing to lose.
    void onRecordingStopped(frmMapa *window);
    // Asks before replacing `path` when the file dialog has not already
    // asked about it (the format changed the typed name's extension).
    bool mayReplace(const QString &path, const QString &typed);

    Workspace &m_ws;
    Controls m_c;
    QPointer<frmMapa> m_window;
    // Frames of the last recording, kept even when its window has gone.
    int m_lCaptura = 0;
    int m_capturedRate = RecordingRate::kFramesPerSecond;
};

} // namespace vantrel
