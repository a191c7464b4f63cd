#include "app/PlaybackControls.h"

#include "editor/frmMapa.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

QString speedText(double factor)
{
    return QStringLiteral("%1\u00d7").arg(factor);
}

} // namespace

PlaybackControls::PlaybackControls(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("playbackControls"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    m_speed = new QComboBox(this);
    m_speed->setObjectName(QStringLiteral("speedBox"));
    m_speed->setToolTip(QStringLiteral("Playback speed"));
    m_speed->setFocusPolicy(Qt::NoFocus);
    for (double factor : kSpeeds)
        m_speed->addItem(speedText(factor), factor);
    m_speed->setCurrentIndex(2);
    connect(m_speed, &QComboBox::activated, this, &PlaybackControls::onSpeedChosen);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("frameSlider"));
    m_slider->setToolTip(QStringLiteral("Jump to a frame"));
    m_slider->setFocusPolicy(Qt::NoFocus);
    m_slider->setFixedWidth(180);
    m_slider->setRange(0, 0);
    connect(m_slider, &QSlider::valueChanged, this, &PlaybackControls::onSliderValue);
    connect(m_slider, &QSlider::sliderPressed, this, &PlaybackControls::onSliderPressed);
    connect(m_slider, &QSlider::sliderReleased, this, &PlaybackControls::onSliderReleased);

    m_frame = new QLabel(this);
    m_frame->setObjectName(QStringLiteral("frameLabel"));
    m_frame->setMinimumWidth(
        m_frame->fontMetrics().horizontalAdvance(QStringLiteral("00000 / 00000")));

    row->addWidget(m_speed);
    row->addWidget(m_slider);
    row->addWidget(m_frame);

    m_rangeTimer = new QTimer(this);
    m_rangeTimer->setSingleShot(true);
    m_rangeTimer->setInterval(0);
    connect(m_rangeTimer, &QTimer::timeout, this, &PlaybackControls::updateRange);

    setWindow(nullptr);
}

void PlaybackControls::giveWayTo(QWidget *panel)
{
    m_panel = panel;
    panel->installEventFilter(this);
    setVisible(panel->isHidden());
}

bool PlaybackControls::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        setVisible(event->type() == QEvent::Hide);
    return QWidget::eventFilter(watched, event);
}

void PlaybackControls::setWindow(frmMapa *window)
{
    if (window && window->iMI == 0)
        window = nullptr;
    if (window == m_window && (window || m_connections.empty())) {
        refresh();
        return;
    }
    for (const QMetaObject::Connection &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_pausedForDrag = false;
    m_window = window;
    if (window) {
        auto later = [this] {
            m_rangeTimer->start();
        };
        StratDocument &document = window->document();
        Playback &playback = window->playback();
        m_connections = {
            connect(&playback, &Playback::frameChanged, this, &PlaybackControls::showFrame),
            connect(&playback, &Playback::stateChanged, this, &PlaybackControls::refresh),
            connect(&document, &StratDocument::movementChanged, this, later),
            connect(&document, &StratDocument::objectChanged, this, later),
            connect(&document, &StratDocument::reset, this, later),
        };
    }
    refresh();
}

void PlaybackControls::refresh()
{
    const bool usable = m_window && m_window->iMI != 0 && !m_window->bGravando();
    m_speed->setEnabled(usable);
    m_slider->setEnabled(usable);
    const double speed = m_window ? m_window->playback().speed() : 1.0;
    const auto *chosen = std::find(std::begin(kSpeeds), std::end(kSpeeds), speed);
    m_speed->setCurrentIndex(chosen == std::end(kSpeeds) ? 2 : int(chosen - std::begin(kSpeeds)));
    if (!m_window || m_window->iMI == 0) {
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(0, 0);
        m_frame->clear();
        return;
    }
    updateRange();
}

void PlaybackControls::updateRange()
{
    if (!m_window)
        return;
    // The range is the strat's own: a run going on past its last movement
    // holds the slider at the end.
    const int last = m_window->playback().restingFrame();
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(0, last);
        m_slider->setPageStep(std::max(1, last / 20));
    }
    showFrame(m_window->playback().frame());
}

void PlaybackControls::showFrame(int frame)
{
    if (!m_window)
        return;
    // A drag in progress owns the slider; the label still follows.
    if (!m_slider->isSliderDown()) {
        m_showing = true;
        m_slider->setValue(frame);
        m_showing = false;
    }
    m_frame->setText(QStringLiteral("%1 / %2").arg(frame).arg(m_slider->maximum()));
}

void PlaybackControls::onSpeedChosen(int index)
{
    if (m_window && index >= 0 && index < int(std::size(kSpeeds)))
        m_window->playback().setSpeed(kSpeeds[index]);
}

void PlaybackControls::onSliderValue(int value)
{
    if (m_showing || !m_window || m_window->bGravando() || value == m_window->playback().frame())
        return;
    m_window->playback().seekTo(value);
}

void PlaybackControls::onSliderPressed()
{
    // A run holds still while the slider is dragged, and goes on from where
    // it is let go.
    if (m_window && m_window->playback().state() == Playback::State::Running) {
        m_window->playback().pause();
        m_pausedForDrag = true;
    }
}

void PlaybackControls::onSliderReleased()
{
    if (m_pausedForDrag && m_window && m_window->playback().isPaused())
        m_window->playback().pause();
    m_pausedForDrag = false;
}

} // namespace vantrel
