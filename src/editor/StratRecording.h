#pragma once

#include "export/FrameRecorder.h"

#include <QObject>
#include <QSize>

#include <functional>

namespace vantrel {

class Playback;
class StratStrip;
class Workspace;

// Video recording on a strat window: while recording, the frames the
// recorder wants are captured into the frame folder at the end of each frame
// tick, with picHide covering the counters and buttons of the top strip.
class StratRecording : public QObject
{
    Q_OBJECT

public:
    StratRecording(Workspace &workspace, Playback &playback, StratStrip &strip,
                   std::function<QImage()> capture, QSize frameSize, QObject *parent);

    const FrameRecorder &recorder() const { return m_recorder; }
    bool bGravando() const { return m_recorder.bGravando(); }
    // Full motion records every frame (64 a second) from the next start on.
    void setFullMotion(bool on) { m_recorder.setFullMotion(on); }
    // Starts or stops a recording; each toggles the run once. The frames
    // stay in the frame folder for SAVE. A recording that cannot start, or
    // a frame that cannot be written, ends it with a message saying why.
    void toggle();
    // Why the last recording could not start or ended early; empty when it
    // did not.
    const QString &failure() const { return m_failure; }

Q_SIGNALS:
    // A recording ended: by STOP, a failure, or because the strat was closed.
    void stopped();

private:
    // The end of a frame: captures the window when the recorder wants it.
    void frameStepped();

    Workspace &m_ws;
    Playback &m_playback;
    StratStrip &m_strip;
    std::function<QImage()> m_capture;
    QSize m_frameSize;
    FrameRecorder m_recorder;
    QString m_failure;
};

} // namespace vantrel
