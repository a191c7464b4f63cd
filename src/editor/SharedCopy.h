#pragma once

#include "fileio/FileResult.h"

#include <QObject>
#include <QPoint>
#include <QString>

namespace vantrel {

class PlayFollower;
class Playback;
class StratDocument;
class StratScene;
class StratStrip;
class Workspace;
class frmMapa;
struct Strat;

// A strat window on the team board: the read-only copy of a strat another
// player shares, its "Save a Copy", its playback following the sharer, and
// the pings every board shows.
class SharedCopy : public QObject
{
    Q_OBJECT

public:
    SharedCopy(Workspace &workspace, frmMapa &window, StratDocument &document, Playback &playback,
               StratScene &scene, StratStrip &strip);

    // Makes the window the copy of a strat `nick` shares: titled "Shared by
    // <nick>: <title>", read-only (tools, drags, menus, keys and renames that
    // edit do nothing; pings still go), saved only as a copy, and its
    // playback follows the sharer's. An empty nick makes it an ordinary window.
    void setSharedBy(const QString &nick);
    const QString &sharedBy() const { return m_sharedBy; }
    bool isShared() const { return !m_sharedBy.isEmpty(); }
    // Replaces the strat with the one a sharer sent (a clean undo stack, no
    // file).
    void loadShared(const Strat &strat);
    // "Save a Copy": asks for a file and writes the strat there as an
    // ordinary strat; the window stays what it was. Cancelled: ok, empty.
    FileResult saveCopy();
    // The playback follower of a shared copy, or null.
    PlayFollower *follower() const { return m_follower; }
    // A ping here (the ping tool, Alt+click): handed to the workspace.
    void ping(const QPoint &twips);
    // Shows a pulse with `nick` at `twips` for two seconds.
    void showPing(const QPoint &twips, const QString &nick);

private:
    Workspace &m_ws;
    frmMapa &m_window;
    StratDocument &m_document;
    Playback &m_playback;
    StratScene &m_scene;
    StratStrip &m_strip;
    QString m_sharedBy;
    PlayFollower *m_follower = nullptr;
};

} // namespace vantrel
