// The playback controls in the strip: speed and frame slider of the active
// strat window. They take the recording panel's place while it is hidden;
// while it is shown scrubbing has nothing to do.
#include "app/PlaybackControls.h"
#include "app/frmPrincipal.h"

#include <QFrame>

namespace vantrel {

void frmPrincipal::buildPlaybackControls(QWidget *strip)
{
    m_playback = new PlaybackControls(strip);
    m_playback->adjustSize();
    m_playback->move(m_picREC->x(), (strip->height() - m_playback->height()) / 2);
    m_playback->giveWayTo(m_picREC);
}

void frmPrincipal::followActive()
{
    updateEditActions();
    updateStratActions();
    if (m_playback)
        m_playback->setWindow(activeStratWindow());
}

} // namespace vantrel
