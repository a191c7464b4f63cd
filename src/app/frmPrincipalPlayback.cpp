// The playback controls in the strip: speed and frame slider of the active
// strat window. They take the recording panel's place while it is hidden;
// while it is shown scrubbing has nothing to do. F2 (play or stop), F3
// (pause) and F4 (another way point) are the main window's: they reach the
// active strat window whatever has the focus, and are off without one.
#include "app/PlaybackControls.h"
#include "app/frmPrincipal.h"
#include "editor/MapInput.h"

#include <QAction>
#include <QFrame>

namespace vantrel {

void frmPrincipal::buildPlaybackControls(QWidget *strip)
{
    m_playback = new PlaybackControls(strip);
    m_playback->adjustSize();
    m_playback->move(m_picREC->x(), (strip->height() - m_playback->height()) / 2);
    m_playback->giveWayTo(m_picREC);

    const std::pair<const char *, Qt::Key> keys[] = {{"playKeyAction", Qt::Key_F2},
                                                     {"pauseKeyAction", Qt::Key_F3},
                                                     {"wayPointKeyAction", Qt::Key_F4}};
    for (size_t n = 0; n < std::size(keys); ++n) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(keys[n].first));
        action->setShortcut(QKeySequence(keys[n].second));
        action->setEnabled(false);
        const int key = keys[n].second;
        connect(action, &QAction::triggered, this, [this, key] {
            if (frmMapa *w = activeStratWindow())
                w->input().keyDown(key);
        });
        addAction(action);
        m_playbackKeys[n] = action;
    }
}

void frmPrincipal::followActive()
{
    updateEditActions();
    frmMapa *active = activeStratWindow();
    for (QAction *action : m_playbackKeys)
        if (action)
            action->setEnabled(active != nullptr);
    updateStratActions();
    if (m_playback)
        m_playback->setWindow(active);
}

} // namespace vantrel
