// Playback: the play/stop and pause buttons, the frame tick that steps every
// movement engine, the clock, and the rewind on stop. A run is paced by
// FrameTimer (64 frames a second, free of drift); a frame runs to its end
// without yielding, so a stop always lands between frames and a rewound
// window shows frame 0.
#include "editor/EditorPictures.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"

#include <QLabel>

namespace vantrel {

namespace {

// The height of the grenade boxes (palette pictures 10 to 12, 10 x 14 pixels):
// they appear only when their first leg starts.
constexpr double kGrenadeHeightTwips = 210;

} // namespace

void frmMapa::buildPlayback()
{
    connect(&m_tmrT, &FrameTimer::frame, this, &frmMapa::tmrT_Timer);
    m_tmrTempo.setInterval(1000);
    connect(&m_tmrTempo, &QTimer::timeout, this, &frmMapa::tmrTempo_Timer);
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

void frmMapa::setPicGOTag(const QString &tag)
{
    m_picGOTag = tag;
    m_picGO->setProperty("Tag", tag);
}

void frmMapa::picGO_Click()
{
    const int objects = strat().Objects.count();
    if (!isRunning()) {
        m_picGO->setPixmap(EditorPictures::stopPicture());
        setPicGOTag(QStringLiteral("1"));
        for (int i = 1; i <= objects; ++i)
            if (hiddenAtStart(i))
                m_surface->imgObj(i)->hide();
        for (int k = 1; k <= MarkerCount(); ++k) {
            if (MarkerItem *marker = m_surface->picM(k))
                marker->hide();
            if (PathLine *line = m_surface->linha(k))
                line->hide();
        }
        m_picGO->setToolTip(m_ws.language.text(QStringLiteral("s0006"), QStringLiteral("STOP")));
        m_document.setUndoSuspended(true);
        m_tmrT.start();
        m_tmrTempo.start();
        Q_EMIT runStateChanged();
        return;
    }

    m_picGO->setPixmap(EditorPictures::playPicture());
    setPicGOTag(QStringLiteral("0"));
    m_tmrT.stop();
    m_tmrTempo.stop();
    for (int i = 1; i <= objects; ++i) {
        if (ObjectItem *item = m_surface->imgObj(i)) {
            const StratObject &object = strat().Objects[i];
            item->setPosition(object.Left, object.Top);
            item->show();
        }
    }
    for (int k = 1; k <= MarkerCount(); ++k) {
        if (MarkerItem *marker = m_surface->picM(k))
            marker->show();
        if (PathLine *line = m_surface->linha(k))
            line->show();
    }
    for (int m = 1; m <= m_engines.count(); ++m)
        if (clsMovimento *engine = m_engines.engine(m))
            engine->Reseta();
    m_iSegundos = 0;
    m_lQuadro = 0;
    m_lblFrame->setText(QStringLiteral("0"));
    m_lblSegs->setText(clockText(0));
    bPausa = false;
    m_picGO->setToolTip(m_ws.language.text(QStringLiteral("s0040"), QStringLiteral("Play")));
    m_document.setUndoSuspended(false);
    Q_EMIT frameChanged(0);
    Q_EMIT runStateChanged();
}

bool frmMapa::hiddenAtStart(int i) const
{
    const ObjectItem *item = m_surface->imgObj(i);
    return item && item->heightTwips() == kGrenadeHeightTwips;
}

void frmMapa::picPause_Click()
{
    if (!bPausa && !m_tmrTempo.isActive())
        return;
    if (bPausa) {
        bPausa = false;
        m_tmrT.start();
        m_tmrTempo.start();
    } else {
        bPausa = true;
        m_tmrT.pause();
        m_tmrTempo.stop();
    }
    Q_EMIT runStateChanged();
}

void frmMapa::tmrT_Timer()
{
    const int movements = m_engines.count();
    for (int m = 1; m <= movements; ++m)
        if (clsMovimento *engine = m_engines.engine(m))
            engine->Move(m_surface->imgObj(engine->iObj));
    ++m_lQuadro;
    m_lblFrame->setText(QString::number(m_lQuadro));
    for (int m = 1; m <= movements; ++m)
        if (clsMovimento *engine = m_engines.engine(m))
            ++engine->lFrame;
    Q_EMIT frameChanged(m_lQuadro);
    recordingHook();
}

void frmMapa::tmrTempo_Timer()
{
    // The clock holds at the largest count it can show.
    if (m_iSegundos < INT16_MAX)
        ++m_iSegundos;
    m_lblSegs->setText(clockText(m_iSegundos));
}

} // namespace vantrel
