#include "editor/StratRecording.h"

#include "animation/Playback.h"
#include "editor/ResultMessage.h"
#include "editor/StratStrip.h"
#include "editor/Workspace.h"

namespace vantrel {

StratRecording::StratRecording(Workspace &workspace, Playback &playback, StratStrip &strip,
                               std::function<QImage()> capture, QSize frameSize, QObject *parent)
    : QObject(parent)
    , m_ws(workspace)
    , m_playback(playback)
    , m_strip(strip)
    , m_capture(std::move(capture))
    , m_frameSize(frameSize)
{
    connect(&playback, &Playback::frameStepped, this, &StratRecording::frameStepped);
}

void StratRecording::frameStepped()
{
    if (!m_recorder.bGravando())
        return;
    const FileResult captured = m_recorder.frameTick(m_playback.frame(), m_capture);
    if (captured)
        return;
    // The first frame that cannot be written (a full disk) ends the
    // recording and its run, with the frames before it kept.
    m_failure = captured.message;
    m_strip.setRecordingCover(false);
    m_playback.stop();
    Q_EMIT stopped();
    showResultMessage(m_ws.ui, m_ws.owner, captured);
}

void StratRecording::toggle()
{
    if (m_recorder.bGravando()) {
        m_strip.setRecordingCover(false);
        m_recorder.stop();
        // STOP toggles the run once more: a run still going stops and
        // rewinds (and one the user had stopped starts again).
        m_playback.toggle();
        Q_EMIT stopped();
        return;
    }
    m_failure.clear();
    if (const FileResult started = m_recorder.start(m_frameSize); !started) {
        m_failure = started.message;
        Q_EMIT stopped();
        showResultMessage(m_ws.ui, m_ws.owner, started);
        return;
    }
    m_strip.setRecordingCover(true);
    // Whatever the run's state (running, or paused at any frame, frame 0 by
    // the slider included), the recording plays from frame 0.
    m_playback.restart();
}

} // namespace vantrel
