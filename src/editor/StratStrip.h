#pragma once

#include "animation/Playback.h"

#include <QImage>
#include <QObject>

#include <functional>

class QLabel;
class QWidget;

namespace vantrel {

class StratDocument;
class Workspace;

// The top strip of a strat window, drawn over the map: the title, the
// homepage link, the frame counter, the clock, the play and pause buttons and
// the close mark, and picHide, which covers the counters and buttons while
// recording. The controls are children of the window, under their own names;
// they follow the document's title and the run of its Playback, and report
// their clicks.
class StratStrip : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kHomepage = "http://www.vantrel.net";

    StratStrip(QWidget &window, Workspace &workspace, StratDocument &document, Playback &playback);

    // The title label and the window title: the document's title, with a mark
    // while the strat has changes that are not saved.
    void showTitle();
    // What `capture` draws with the close mark, the buttons and the clock
    // hidden; the frame counter, its label, the title and the link stay.
    QImage withoutControls(const std::function<QImage()> &capture);
    // picHide over the counters and buttons while recording.
    void setRecordingCover(bool shown);
    // A copy of a strat `nick` shares: "Shared by <nick>: <title>", and a
    // Follow / Stop following switch where the link is. Empty: as before.
    void setSharedBy(const QString &nick);
    void showFollowing(bool on);

Q_SIGNALS:
    void closeClicked();
    void titleDoubleClicked();
    void playClicked();
    void pauseClicked();
    void followClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void showRunState(Playback::State state);

    QWidget &m_window;
    Workspace &m_ws;
    StratDocument &m_document;
    QLabel *m_lblTitulo = nullptr;
    QLabel *m_lblFechar = nullptr;
    QLabel *m_lblSite = nullptr;
    QLabel *m_lblFollow = nullptr;
    QString m_sharedBy;
    QLabel *m_lblFrame = nullptr;
    QLabel *m_lblSegs = nullptr;
    QLabel *m_picGO = nullptr;
    QLabel *m_picPause = nullptr;
    QWidget *m_picHide = nullptr;
};

} // namespace vantrel
