// Video recording on the strat window: while recording, every ninth frame is
// captured into the frame folder at the end of the frame tick, with picHide
// covering the counters and buttons of the top strip.
#include "editor/ResultMessage.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"

namespace vantrel {

namespace {

// picHide's place while recording: from 7680 twips to the right edge.
constexpr int kHideLeftTwips = 7680;

} // namespace

void frmMapa::recordingHook()
{
    if (!m_recorder.bGravando())
        return;
    const FileResult captured
        = m_recorder.frameTick(m_playback.frame(), [this] { return capture(); });
    if (captured)
        return;
    // The first frame that cannot be written (a full disk) ends the
    // recording and its run, with the frames before it kept.
    m_recordingFailure = captured.message;
    m_picHide->hide();
    m_playback.stop();
    Q_EMIT recordingStopped(this);
    showResultMessage(m_ws.ui, m_ws.owner, captured);
}

void frmMapa::Exporta_Video()
{
    if (m_recorder.bGravando()) {
        m_picHide->hide();
        m_recorder.stop();
        // STOP toggles the run once more: a run still going stops and
        // rewinds (and one the user had stopped starts again).
        m_playback.toggle();
        Q_EMIT recordingStopped(this);
        return;
    }
    m_recordingFailure.clear();
    if (const FileResult started = m_recorder.start(size()); !started) {
        m_recordingFailure = started.message;
        Q_EMIT recordingStopped(this);
        showResultMessage(m_ws.ui, m_ws.owner, started);
        return;
    }
    m_picHide->move(kHideLeftTwips / kTwipsPerPixel, 0);
    m_picHide->show();
    m_picHide->raise();
    // Whatever the run's state (running, or paused at any frame, frame 0 by
    // the slider included), the recording plays from frame 0.
    m_playback.restart();
}

} // namespace vantrel
