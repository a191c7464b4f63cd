#include "editor/frmMapa.h"

#include "editor/EditorPictures.h"
#include "editor/MapView.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "strat/PaletteIcons.h"
#include "uiservice/Ui.h"

#include <QEvent>
#include <QLabel>
#include <QMdiSubWindow>
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

} // namespace

frmMapa::frmMapa(Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , m_ws(workspace)
    , m_surface(std::make_unique<StratSurface>())
    , m_sprites(*m_surface)
    , m_playback(m_document, &workspace.keepCountingFrames, m_sprites)
{
    setObjectName(QStringLiteral("frmMapa"));
    setFixedSize(kWidthPixels, kHeightPixels);
    m_view = new MapView(*this, *m_surface, this);
    m_view->setGeometry(0, 0, kWidthPixels, kHeightPixels);
    setFocusProxy(m_view);
    buildTopStrip();
    buildPlayback();
    followDocument();
    if (m_ws.language.isLoaded()) {
        m_ws.language.SetLanguageInForm(this);
        if (auto *label1 = findChild<QLabel *>(QStringLiteral("Label1")))
            label1->setMinimumWidth(label1->sizeHint().width()); // room for the translation
    }
}

frmMapa::~frmMapa() = default;

void frmMapa::buildTopStrip()
{
    m_strip = new StripBand(this);
    m_strip->setObjectName(QStringLiteral("strip"));
    m_strip->setGeometry(0, 0, kWidthPixels, kStripHeight);
    m_strip->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_lblTitulo = stripLabel(this, "lblTitulo", QString(), 90, 5400, 225);
    m_lblTitulo->installEventFilter(this);
    m_lblSite = stripLabel(this, "lblSite", QString::fromLatin1(kHomepage), 5700, 2400, 225);
    m_lblSite->setStyleSheet(
        QStringLiteral("color: #7fb2ff; background: transparent; text-decoration: underline;"));
    m_lblSite->setCursor(Qt::PointingHandCursor);
    m_lblSite->installEventFilter(this);
    auto *label1 = stripLabel(this, "Label1", QStringLiteral("Frame:"), 8280, 585, 225);
    label1->setMinimumWidth(label1->sizeHint().width());
    m_lblFrame = stripLabel(this, "lblFrame", QStringLiteral("0"), 9000, 810, 225);
    m_lblSegs = stripLabel(this, "lblSegs", QStringLiteral("00:00"), 9840, 795, 255);
    m_picGO = new QLabel(this);
    m_picGO->setObjectName(QStringLiteral("picGO"));
    m_picGO->setGeometry(10680 / kTwipsPerPixel, 1, 19, 15);
    m_picGO->setPixmap(EditorPictures::playPicture());
    m_picGO->setToolTip(QStringLiteral("Play"));
    m_picPause = new QLabel(this);
    m_picPause->setObjectName(QStringLiteral("picPause"));
    m_picPause->setGeometry(11160 / kTwipsPerPixel, 1, 19, 15);
    m_picPause->setPixmap(EditorPictures::pausePicture());
    m_lblFechar = stripLabel(this, "lblFechar", QStringLiteral("X"), 11730, 225, 225);
    m_lblFechar->setAlignment(Qt::AlignCenter);
    m_lblFechar->setCursor(Qt::PointingHandCursor);
    m_lblFechar->installEventFilter(this);
}

QPixmap frmMapa::palettePicture(int index) const
{
    if (index < 0 || index >= kPaletteSize)
        return {};
    const QPixmap &picture = m_ws.palette[size_t(index)];
    return picture.isNull() ? QPixmap::fromImage(PaletteIcons::image(index)) : picture;
}

void frmMapa::setSurfaceCursor(const QCursor &cursor)
{
    m_view->viewport()->setCursor(cursor);
}

void frmMapa::unsetSurfaceCursor()
{
    m_view->viewport()->unsetCursor();
}

QWidget *frmMapa::movableWindow()
{
    // Inside the main window's frame the strat window is the content of an
    // MDI subwindow, which is what moves.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return sub;
    return this;
}

bool frmMapa::refuseWhenFull(bool full) const
{
    if (full)
        m_ws.ui.messageBox(m_ws.owner,
                           QStringLiteral("This strat is full: it holds at most %1 objects, "
                                          "texts, movements, way points and links of each kind.")
                               .arg(INT16_MAX),
                           {}, MsgButtons::Ok, MsgIcon::Exclamation);
    return full;
}

void frmMapa::keyDown(int key)
{
    EditorTools &tools = m_ws.tools;
    switch (key) {
    case Qt::Key_F4:
        // Another way point for the selected object, without the menu.
        if (m_playback.isStopped() && !bGravando() && tools.SelectionWindow == iMI
            && tools.SelectionKind == 1 && tools.SelectionItem > 0) {
            armWayPoint();
            setSurfaceCursor(EditorPictures::placingCursor());
        }
        break;
    case Qt::Key_Escape:
        tools.disarm();
        m_surface->tlinha()->hide();
        unsetSurfaceCursor();
        break;
    case Qt::Key_F2:
        // While recording, only STOP ends the run.
        if (!bGravando())
            picGO_Click();
        break;
    case Qt::Key_F3:
        if (!bGravando())
            picPause_Click();
        break;
    default:
        break;
    }
}

void frmMapa::keyUp(int key)
{
    if (key != Qt::Key_Shift)
        return;
    unsetSurfaceCursor();
    if (m_ws.setSelectedPreview)
        m_ws.setSelectedPreview(QPixmap());
    // A placing tool is dropped; a way point still follows the next press.
    const std::shared_ptr<EditorTool> &tool = m_ws.tools.current();
    if (tool && tool->places() && tool->wayPointWindow() == 0)
        m_ws.tools.disarm();
}

bool frmMapa::bMovimento() const
{
    const std::shared_ptr<EditorTool> &tool = m_ws.tools.current();
    return iMI != 0 && tool && tool->wayPointWindow() == iMI;
}

void frmMapa::armWayPoint()
{
    if (iMI != 0)
        m_ws.tools.armWayPoint(iMI);
}

void frmMapa::setTitleLabel(const QString &text)
{
    m_lblTitulo->setText(text);
}

QString frmMapa::titleLabel() const
{
    return m_lblTitulo->text();
}

void frmMapa::setBackground(const QPixmap &picture)
{
    m_surface->scene().setBackground(picture);
}

void frmMapa::discardStrat()
{
    // A recording ends cleanly with its frames kept, then the run stops.
    if (bGravando())
        Exporta_Video();
    m_playback.stop();
    m_playback.setSpeed(1.0); // a reused window starts as a new one
    m_document.clear();
    m_surface->scene().setBackground(QPixmap());
    m_drag = DragState();
    m_lastPlacedObject = 0;
    sArquivo.clear();
    if (bMovimento())
        m_ws.tools.disarm();
    iMI = 0;
}

namespace {

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

bool frmMapa::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lblFechar && isLeftClick(m_lblFechar, event))
        Q_EMIT closeRequested(this);
    else if (watched == m_lblTitulo && isLeftDoubleClick(event))
        Q_EMIT renameRequested(this);
    else if (watched == m_lblSite && isLeftClick(m_lblSite, event))
        m_ws.ui.openTarget(m_lblSite->text());
    else if (watched == m_picGO && isLeftClick(m_picGO, event))
        picGO_Click();
    else if (watched == m_picPause && isLeftClick(m_picPause, event))
        picPause_Click();
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel
