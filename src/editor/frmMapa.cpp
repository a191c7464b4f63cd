#include "editor/frmMapa.h"

#include "editor/EditorPictures.h"
#include "editor/EditorPopupMenus.h"
#include "editor/MapDrawings.h"
#include "editor/MapView.h"
#include "editor/SelectTool.h"
#include "editor/StratEditor.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
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
    , m_editor(std::make_unique<StratEditor>(workspace, m_document, *m_surface))
    , m_selectTool(std::make_unique<SelectTool>())
{
    setObjectName(QStringLiteral("frmMapa"));
    setFixedSize(kWidthPixels, kHeightPixels);
    m_view = new MapView(*this, *m_surface, this);
    m_view->setGeometry(0, 0, kWidthPixels, kHeightPixels);
    setFocusProxy(m_view);
    buildTopStrip();
    buildPlayback();
    followDocument();
    m_drawings = std::make_unique<MapDrawings>(m_ws, m_document, m_playback, *m_surface, this);
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

void frmMapa::mapPress(const MapEvent &event)
{
    if (event.onMap())
        m_surface->tlinha()->hide();
    // Held here: the tool may disarm itself or be replaced while it acts.
    const std::shared_ptr<EditorTool> tool = m_ws.tools.current();
    if (!tool || !tool->press(*this, event))
        m_selectTool->press(*this, event);
}

void frmMapa::mapMove(const MapEvent &event)
{
    const std::shared_ptr<EditorTool> tool = m_ws.tools.current();
    if (!tool || !tool->move(*this, event))
        m_selectTool->move(*this, event);
}

void frmMapa::mapRelease(const MapEvent &event)
{
    const std::shared_ptr<EditorTool> tool = m_ws.tools.current();
    if (!tool || !tool->release(*this, event))
        m_selectTool->release(*this, event);
}

void frmMapa::mapDoubleClick(const MapEvent &event)
{
    const std::shared_ptr<EditorTool> tool = m_ws.tools.current();
    if (!tool || !tool->doubleClick(*this, event))
        m_selectTool->doubleClick(*this, event);
}

void frmMapa::disarmTool()
{
    m_ws.tools.disarm();
}

void frmMapa::endGesture(bool shift)
{
    if (!shift) {
        unsetSurfaceCursor();
        m_ws.setSelectedPreview(QPixmap());
    }
    m_surface->tlinha()->hide();
    m_surface->shpT()->hide();
    m_surface->shpM()->hide();
}

void frmMapa::openPopupMenu(MapHit::Kind kind, const QPoint &globalPos)
{
    if (!m_ws.popupMenus)
        return;
    if (kind == MapHit::Marker)
        m_ws.popupMenus->popupPointMenu(this, globalPos);
    else
        m_ws.popupMenus->popupObjectMenu(this, kind == MapHit::Text, globalPos);
}

void frmMapa::keyDown(int key)
{
    if (const std::shared_ptr<EditorTool> tool = m_ws.tools.current();
        tool && tool->keyPress(*this, key))
        return;
    const StratSelection &selection = m_editor->selection();
    switch (key) {
    case Qt::Key_F4:
        // Another way point for the selected object, without the menu.
        if (m_playback.isStopped() && !bGravando()
            && selection.Kind == StratSelection::ObjectOrPoint && selection.Item > 0) {
            armWayPoint();
            setSurfaceCursor(EditorPictures::placingCursor());
        }
        break;
    case Qt::Key_Escape:
        disarmTool();
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
    m_selectTool->cancel();
    m_editor->reset();
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
