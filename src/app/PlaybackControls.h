#pragma once

#include "editor/frmMapa.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QSlider;
class QTimer;

namespace vantrel {

// The playback speed and the frame slider in the main window's strip. They
// act on one strat window, the active one, and follow its frame counter and
// run state; the strat window's own picture stays as it is.
class PlaybackControls : public QWidget
{
    Q_OBJECT

public:
    // The speeds offered, relative to 64 frames a second.
    static constexpr double kSpeeds[] = {0.25, 0.5, 1.0, 2.0, 4.0};

    explicit PlaybackControls(QWidget *parent = nullptr);

    // The strat window the controls act on; null disables them.
    void setWindow(frmMapa *window);
    frmMapa *window() const { return m_window; }

    // Shares its place in the strip with `panel`: hidden while it is shown.
    void giveWayTo(QWidget *panel);

    QComboBox *speedBox() const { return m_speed; }
    QSlider *frameSlider() const { return m_slider; }
    QLabel *frameLabel() const { return m_frame; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void updateRange();
    void showFrame(int frame);
    void onSpeedChosen(int index);
    void onSliderValue(int value);
    void onSliderPressed();
    void onSliderReleased();

    QPointer<frmMapa> m_window;
    QWidget *m_panel = nullptr;
    std::vector<QMetaObject::Connection> m_connections;
    QComboBox *m_speed = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_frame = nullptr;
    QTimer *m_rangeTimer = nullptr; // gathers a burst of edits into one update
    bool m_showing = false;         // the slider is being set, not dragged
    bool m_pausedForDrag = false;
};

} // namespace vantrel
