#include "editor/StratStrip.h"

#include "editor/EditorPictures.h"
#include "editor/Workspace.h"
#include "strat/StratDocument.h"
#include "strat/StratRecords.h"
#include "uiservice/Ui.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace vantrel {

namespace {

// The top strip is drawn over the map; a dark translucent band keeps it
// readable on any overview.
class StripBand : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 0, 0, 150));
    }
};

constexpr int kStripHeight = 18;
// picHide's place while recording: from 7680 twips to the right edge.
constexpr int kHideLeftTwips = 7680;

QLabel *stripLabel(QWidget *parent, const char *name, const QString &text, int leftTwips,
                   int widthTwips, int heightTwips)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(leftTwips / kTwipsPerPixel, 1, widthTwips / kTwipsPerPixel,
                       heightTwips / kTwipsPerPixel);
    label->setStyleSheet(QStringLiteral("color: #ffff00; background: transparent;"));
    QFont font = label->font();
    font.setPixelSize(11);
    label->setFont(font);
    return label;
}

QLabel *button(QWidget *parent, const char *name, const QPixmap &picture, int leftTwips)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(leftTwips / kTwipsPerPixel, 1, 19, 15);
    label->setPixmap(picture);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

// A click: the left button released over the label it was pressed on (the
// label holds the mouse from the press, so a release dragged off it comes
// here too, outside its rectangle).
bool isLeftClick(const QLabel *label, const QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    return mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint());
}

bool isLeftDoubleClick(const QEvent *event)
{
    return event->type() == QEvent::MouseButtonDblClick
           && static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
}

} // namespace

StratStrip::StratStrip(QWidget &window, Workspace &workspace, StratDocument &document,
                       Playback &playback)
    : QObject(&window)
    , m_window(window)
    , m_ws(workspace)
    , m_document(document)
{
    build();
    connect(&document, &StratDocument::titleChanged, this, &StratStrip::showTitle);
    connect(&document, &StratDocument::modifiedChanged, this, &StratStrip::showTitle);
    connect(&playback, &Playback::stateChanged, this, &StratStrip::showRunState);
    connect(&playback, &Playback::frameChanged, m_lblFrame,
            [this](int32_t frame) { m_lblFrame->setText(QString::number(frame)); });
    connect(&playback, &Playback::secondsChanged, m_lblSegs,
            [this](int seconds) { m_lblSegs->setText(clockText(seconds)); });
}

void StratStrip::build()
{
    QWidget *const w = &m_window;
    auto *strip = new StripBand(w);
    strip->setObjectName(QStringLiteral("strip"));
    strip->setGeometry(0, 0, w->width(), kStripHeight);
    strip->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_lblTitulo = stripLabel(w, "lblTitulo", QString(), 90, 5400, 225);
    m_lblSite = stripLabel(w, "lblSite", QString::fromLatin1(kHomepage), 5700, 2400, 225);
    m_lblSite->setStyleSheet(
        QStringLiteral("color: #7fb2ff; background: transparent; text-decoration: underline;"));
    m_lblSite->setCursor(Qt::PointingHandCursor);
    auto *label1 = stripLabel(w, "Label1", QStringLiteral("Frame:"), 8280, 585, 225);
    label1->setMinimumWidth(label1->sizeHint().width());
    m_lblFrame = stripLabel(w, "lblFrame", QStringLiteral("0"), 9000, 810, 225);
    m_lblSegs = stripLabel(w, "lblSegs", QStringLiteral("00:00"), 9840, 795, 255);
    m_picGO = button(w, "picGO", EditorPictures::playPicture(), 10680);
    m_picGO->setToolTip(QStringLiteral("Play"));
    m_picPause = button(w, "picPause", EditorPictures::pausePicture(), 11160);
    m_lblFechar = stripLabel(w, "lblFechar", QStringLiteral("X"), 11730, 225, 225);
    m_lblFechar->setAlignment(Qt::AlignCenter);
    m_lblFechar->setCursor(Qt::PointingHandCursor);
    // A shared copy shows whether it follows the sharer's play where the
    // link is, and a click switches it.
    m_lblFollow = stripLabel(w, "lblFollow", QString(), 5700, 2400, 225);
    m_lblFollow->setStyleSheet(QStringLiteral("color: #7fffb2; background: transparent;"));
    m_lblFollow->setCursor(Qt::PointingHandCursor);
    m_lblFollow->hide();
    for (QLabel *label : {m_lblTitulo, m_lblSite, m_lblFollow, m_picGO, m_picPause, m_lblFechar})
        label->installEventFilter(this);

    // Covers the frame counter, the clock and the buttons while recording.
    m_picHide = new QWidget(w);
    m_picHide->setObjectName(QStringLiteral("picHide"));
    // Opaque, in the shade the strip's band gives the map.
    m_picHide->setAutoFillBackground(true);
    QPalette palette = m_picHide->palette();
    palette.setColor(QPalette::Window, QColor(32, 32, 32));
    m_picHide->setPalette(palette);
    m_picHide->setGeometry(3120 / kTwipsPerPixel, 0, 4335 / kTwipsPerPixel, 255 / kTwipsPerPixel);
    m_picHide->hide();
}

void StratStrip::showTitle()
{
    QString shown = m_document.title();
    if (m_document.isModified())
        shown += QStringLiteral(" *");
    if (!m_sharedBy.isEmpty())
        shown = m_ws.language.text(QStringLiteral("s0100"), QStringLiteral("Shared by %1: %2"))
                    .arg(m_sharedBy, shown);
    m_lblTitulo->setText(shown);
    m_window.setWindowTitle(shown);
}

void StratStrip::showRunState(Playback::State state)
{
    const bool stopped = state == Playback::State::Stopped;
    m_picGO->setPixmap(stopped ? EditorPictures::playPicture() : EditorPictures::stopPicture());
    m_picGO->setToolTip(stopped
                            ? m_ws.language.text(QStringLiteral("s0040"), QStringLiteral("Play"))
                            : m_ws.language.text(QStringLiteral("s0006"), QStringLiteral("STOP")));
}

QImage StratStrip::withoutControls(const std::function<QImage()> &capture)
{
    QWidget *const hidden[] = {m_lblFechar, m_picGO, m_picPause, m_lblSegs};
    bool wasShown[std::size(hidden)];
    for (size_t n = 0; n < std::size(hidden); ++n) {
        wasShown[n] = !hidden[n]->isHidden();
        hidden[n]->hide();
    }
    const QImage picture = capture();
    for (size_t n = 0; n < std::size(hidden); ++n)
        hidden[n]->setVisible(wasShown[n]);
    return picture;
}

void StratStrip::setRecordingCover(bool shown)
{
    if (!shown) {
        m_picHide->hide();
        return;
    }
    m_picHide->move(kHideLeftTwips / kTwipsPerPixel, 0);
    m_picHide->show();
    m_picHide->raise();
}

void StratStrip::setSharedBy(const QString &nick)
{
    m_sharedBy = nick;
    m_lblSite->setVisible(nick.isEmpty());
    m_lblFollow->setVisible(!nick.isEmpty());
    showTitle();
}

void StratStrip::showFollowing(bool on)
{
    m_lblFollow->setText(
        on ? m_ws.language.text(QStringLiteral("s0102"), QStringLiteral("Stop following"))
           : m_ws.language.text(QStringLiteral("s0101"), QStringLiteral("Follow")));
}

bool StratStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lblFechar && isLeftClick(m_lblFechar, event))
        Q_EMIT closeClicked();
    else if (watched == m_lblTitulo && isLeftDoubleClick(event))
        Q_EMIT titleDoubleClicked();
    else if (watched == m_lblFollow && isLeftClick(m_lblFollow, event))
        Q_EMIT followClicked();
    else if (watched == m_lblSite && isLeftClick(m_lblSite, event))
        m_ws.ui.openTarget(m_lblSite->text());
    else if (watched == m_picGO && isLeftClick(m_picGO, event))
        Q_EMIT playClicked();
    else if (watched == m_picPause && isLeftClick(m_picPause, event))
        Q_EMIT pauseClicked();
    return QObject::eventFilter(watched, event);
}

} // namespace vantrel
