// A strat window on the team board: the read-only copy, its "Save a Copy",
// the follower and the pings.
#include "editor/SharedCopy.h"

#include "animation/PlayFollower.h"
#include "animation/Playback.h"
#include "editor/PingPulse.h"
#include "editor/StratScene.h"
#include "editor/StratStrip.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "strat/StratDocument.h"
#include "strat/StratFile.h"
#include "uiservice/clsDialog.h"

#include <algorithm>

namespace vantrel {

void Workspace::ping(frmMapa &window, const QPoint &twips)
{
    window.sharing().showPing(twips, QString());
}

SharedCopy::SharedCopy(Workspace &workspace, frmMapa &window, StratDocument &document,
                       Playback &playback, StratScene &scene, StratStrip &strip)
    : QObject(&window)
    , m_ws(workspace)
    , m_window(window)
    , m_document(document)
    , m_playback(playback)
    , m_scene(scene)
    , m_strip(strip)
{
}

void SharedCopy::setSharedBy(const QString &nick)
{
    if (nick == m_sharedBy)
        return;
    m_sharedBy = nick;
    const bool shared = !nick.isEmpty();
    if (shared && !m_follower) {
        m_follower = new PlayFollower(m_playback, this);
        connect(m_follower, &PlayFollower::followingChanged, &m_strip, &StratStrip::showFollowing);
        m_strip.showFollowing(m_follower->isFollowing());
    } else if (!shared && m_follower) {
        delete m_follower;
        m_follower = nullptr;
    }
    if (shared && m_window.bMovimento())
        m_ws.tools.disarm();
    m_strip.setSharedBy(nick);
}

void SharedCopy::loadShared(const Strat &strat)
{
    // The engines are rebuilt from the new strat: the run starts over and
    // the follower brings it back to the sharer's frame.
    m_playback.stop();
    m_document.load(strat);
    m_strip.showTitle();
    m_scene.showOverview();
    if (m_follower)
        m_follower->catchUp();
}

FileResult SharedCopy::saveCopy()
{
    const QString title
        = m_ws.language.text(QStringLiteral("s0103"), QStringLiteral("Save a Copy"));
    const QString filter = m_ws.language.text(QStringLiteral("s0008"), QStringLiteral("Strat"))
                           + QStringLiteral(" (*.vtr)|*.vtr|");
    QString path = clsDialog(m_ws.ui).SaveDialog(m_ws.owner, filter, title, FileKind::Strat);
    if (path.isEmpty())
        return FileResult::success();
    if (!path.endsWith(QLatin1String(".vtr"), Qt::CaseInsensitive))
        path += QLatin1String(".vtr");
    return StratFile::write(path, m_document.strat());
}

void SharedCopy::ping(const QPoint &twips)
{
    m_ws.ping(m_window, twips);
}

void SharedCopy::showPing(const QPoint &twips, const QString &nick)
{
    const QPoint inside(std::clamp(twips.x(), 0, StratSurface::kWidthTwips),
                        std::clamp(twips.y(), 0, StratSurface::kHeightTwips));
    m_scene.surface().scene().addItem(new PingPulse(inside, nick));
}

} // namespace vantrel
