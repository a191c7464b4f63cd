// Playback on the strat window: the play/stop and pause buttons and F2/F3
// drive the window's Playback; the strip, the markers and lines and the undo
// follow its state. A run is paced by FrameTimer (64 frames a second, free of
// drift); a frame runs to its end without yielding, so a stop always lands
// between frames and a rewound window shows frame 0.
#include "editor/EditorPictures.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"

#include <QLabel>

namespace vantrel {

void frmMapa::buildPlayback()
{
    connect(&m_playback, &Playback::stateChanged, this, &frmMapa::showRunState);
    connect(&m_playback, &Playback::frameChanged, m_lblFrame,
            [this](int32_t frame) { m_lblFrame->setText(QString::number(frame)); });
    connect(&m_playback, &Playback::secondsChanged, m_lblSegs,
            [this](int seconds) { m_lblSegs->setText(clockText(seconds)); });
    connect(&m_playback, &Playback::frameStepped, this, &frmMapa::recordingHook);
    for (QLabel *button : {m_picGO, m_picPause}) {
        button->setCursor(Qt::PointingHandCursor);
        button->installEventFilter(this);
    }

    // Covers the frame counter, the clock and the buttons while recording.
    m_picHide = new QWidget(this);
    m_picHide->setObjectName(QStringLiteral("picHide"));
    // Opaque, in the shade the strip's band gives the map.
    m_picHide->setAutoFillBackground(true);
    QPalette palette = m_picHide->palette();
    palette.setColor(QPalette::Window, QColor(32, 32, 32));
    m_picHide->setPalette(palette);
    m_picHide->setGeometry(3120 / kTwipsPerPixel, 0, 4335 / kTwipsPerPixel, 255 / kTwipsPerPixel);
    m_picHide->hide();
}

void frmMapa::showRunState(Playback::State state)
{
    const bool stopped = state == Playback::State::Stopped;
    m_picGO->setPixmap(stopped ? EditorPictures::playPicture() : EditorPictures::stopPicture());
    m_picGO->setToolTip(stopped
                            ? m_ws.language.text(QStringLiteral("s0040"), QStringLiteral("Play"))
                            : m_ws.language.text(QStringLiteral("s0006"), QStringLiteral("STOP")));
    // The path markers and lines vanish during a run.
    for (int k = 1; k <= MarkerCount(); ++k) {
        if (MarkerItem *marker = m_surface->picM(k))
            marker->setVisible(stopped);
        if (PathLine *line = m_surface->linha(k))
            line->setVisible(stopped);
    }
    m_document.setUndoSuspended(!stopped);
}

void frmMapa::picGO_Click()
{
    m_playback.toggle();
}

void frmMapa::picPause_Click()
{
    m_playback.pause();
}

} // namespace vantrel
