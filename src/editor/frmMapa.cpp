#include "editor/frmMapa.h"

#include "editor/EditorPopupMenus.h"
#include "editor/MapDrawings.h"
#include "editor/MapInput.h"
#include "editor/MapView.h"
#include "editor/SharedCopy.h"
#include "editor/StratEditor.h"
#include "editor/StratRecording.h"
#include "editor/StratScene.h"
#include "editor/StratStrip.h"
#include "editor/Workspace.h"

#include <QLabel>
#include <QMdiSubWindow>

namespace vantrel {

frmMapa::frmMapa(Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , m_ws(workspace)
    , m_scene(std::make_unique<StratScene>(m_document, workspace.palette))
    , m_editor(std::make_unique<StratEditor>(workspace, m_document, m_scene->surface()))
    , m_playback(m_document, &workspace.keepCountingFrames, m_scene->sprites())
    , m_input(std::make_unique<MapInput>(*this, workspace))
{
    setObjectName(QStringLiteral("frmMapa"));
    setFixedSize(kWidthPixels, kHeightPixels);
    m_view = new MapView(*this, m_scene->surface(), this);
    m_view->setGeometry(0, 0, kWidthPixels, kHeightPixels);
    setFocusProxy(m_view);
    m_strip = new StratStrip(*this, workspace, m_document, m_playback);
    m_sharing = new SharedCopy(workspace, *this, m_document, m_playback, *m_scene, *m_strip);
    connect(m_strip, &StratStrip::closeClicked, this, [this] { Q_EMIT closeRequested(this); });
    connect(m_strip, &StratStrip::titleDoubleClicked, this,
            [this] { Q_EMIT renameRequested(this); });
    connect(m_strip, &StratStrip::playClicked, this, &frmMapa::picGO_Click);
    connect(m_strip, &StratStrip::pauseClicked, this, &frmMapa::picPause_Click);
    connect(m_strip, &StratStrip::followClicked, this, [this] {
        if (PlayFollower *follower = m_sharing->follower())
            follower->setFollowing(!follower->isFollowing());
    });
    connect(&m_playback, &Playback::stateChanged, this, [this](Playback::State state) {
        const bool stopped = state == Playback::State::Stopped;
        m_scene->setPathsVisible(stopped);
        m_document.setUndoSuspended(!stopped);
    });
    m_recording = new StratRecording(
        workspace, m_playback, *m_strip, [this] { return capture(); }, size(), this);
    connect(m_recording, &StratRecording::stopped, this, [this] { Q_EMIT recordingStopped(this); });
    m_drawings = std::make_unique<MapDrawings>(m_ws, m_document, m_playback, surface(), this);
    if (m_ws.language.isLoaded()) {
        m_ws.language.SetLanguageInForm(this);
        if (auto *label1 = findChild<QLabel *>(QStringLiteral("Label1")))
            label1->setMinimumWidth(label1->sizeHint().width()); // room for the translation
    }
}

frmMapa::~frmMapa() = default;

StratSurface &frmMapa::surface()
{
    return m_scene->surface();
}

void frmMapa::disarmTool()
{
    m_ws.tools.disarm();
}

void frmMapa::endGesture(bool shift)
{
    if (!shift) {
        m_view->viewport()->unsetCursor();
        m_ws.setSelectedPreview(QPixmap());
    }
    surface().tlinha()->hide();
    surface().shpT()->hide();
    surface().shpM()->hide();
}

void frmMapa::openPopupMenu(MapHit::Kind kind, const QPoint &globalPos)
{
    if (!m_ws.popupMenus || sharing().isShared())
        return;
    if (kind == MapHit::Marker)
        m_ws.popupMenus->popupPointMenu(this, globalPos);
    else
        m_ws.popupMenus->popupObjectMenu(this, kind == MapHit::Text, globalPos);
}

bool frmMapa::bMovimento() const
{
    const std::shared_ptr<EditorTool> &tool = m_ws.tools.current();
    return iMI != 0 && tool && tool->wayPointWindow() == iMI;
}

void frmMapa::picGO_Click()
{
    m_playback.toggle();
}

void frmMapa::picPause_Click()
{
    m_playback.pause();
}

bool frmMapa::bGravando() const
{
    return m_recording->bGravando();
}

void frmMapa::Exporta_Video()
{
    m_recording->toggle();
}

void frmMapa::discardStrat()
{
    // A recording ends cleanly with its frames kept, then the run stops.
    if (bGravando())
        Exporta_Video();
    m_playback.stop();
    m_playback.setSpeed(1.0); // a reused window starts as a new one
    m_sharing->setSharedBy(QString());
    m_document.clear();
    surface().scene().setBackground(QPixmap());
    m_input->cancel();
    m_editor->reset();
    sArquivo.clear();
    if (bMovimento())
        m_ws.tools.disarm();
    iMI = 0;
}

} // namespace vantrel
