// Video recording on the strat window: while recording, every ninth frame is
// captured into the frame folder at the end of the frame tick, with picHide
// covering the counters and buttons of the top strip.
#include "editor/frmMapa.h"

namespace vantrel {

namespace {

// picHide's place while recording: from 7680 twips to the right edge.
constexpr int kHideLeftTwips = 7680;

} // namespace

void frmMapa::recordingHook()
{
    // A frame that cannot be written is not reported here: the video writer
    // meets the missing file and stands the previous frame in for it.
    if (m_recorder.bGravando())
        m_recorder.frameTick(m_playback.frame(), [this] { return capture(); });
}

void frmMapa::Exporta_Video()
{
    if (m_recorder.bGravando()) {
        m_picHide->hide();
        m_recorder.stop();
    } else {
        // A run that has counted frames (playing or paused) is rewound first,
        // so the recording starts from frame 0.
        if (m_playback.frame() > 0)
            picGO_Click();
        m_recorder.start();
        m_picHide->move(kHideLeftTwips / kTwipsPerPixel, 0);
        m_picHide->show();
        m_picHide->raise();
    }
    // At the start this starts the run; at the stop it toggles it once more,
    // so a run still going stops and rewinds (and one the user had stopped
    // starts again).
    picGO_Click();
    if (!m_recorder.bGravando())
        Q_EMIT recordingStopped(this);
}

} // namespace vantrel
