#include "app/TeamBoard.h"

#include "board/BoardPlayback.h"
#include "editor/SharedCopy.h"
#include "editor/frmMapa.h"
#include "strat/StratFile.h"

namespace vantrel {

TeamBoard::TeamBoard(WindowSource newWindow, QObject *parent)
    : QObject(parent)
    , m_newWindow(std::move(newWindow))
{
    m_resend.setSingleShot(true);
    m_resend.setInterval(kResendMs);
    connect(&m_resend, &QTimer::timeout, this, &TeamBoard::sendStrat);
    m_heartbeat.setInterval(kHeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, &TeamBoard::sendPlay);

    connect(&m_client, &BoardClient::stratShared, this, &TeamBoard::onStratShared);
    connect(&m_client, &BoardClient::sharingStopped, this, &TeamBoard::onSharingStopped);
    connect(&m_client, &BoardClient::playReceived, this, &TeamBoard::onPlay);
    connect(&m_client, &BoardClient::pinged, this, &TeamBoard::onPinged);
    // A board that went away takes the sharing with it; the copies stay.
    connect(&m_client, &BoardClient::disconnected, this, [this] { stopSharing(); });
}

TeamBoard::~TeamBoard()
{
    stopSharing();
}

void TeamBoard::join(const QString &host, quint16 boardPort, const QString &nick)
{
    if (boardPort != 0) // 0: the own host could not open the board
        m_client.connectToHost(host, boardPort, nick);
}

void TeamBoard::leave()
{
    stopSharing();
    m_client.disconnectFromHost();
}

bool TeamBoard::share(frmMapa *window)
{
    if (!window || !m_client.isConnected() || window->sharing().isShared())
        return false;
    if (window != m_shared) {
        stopSharing();
        m_shared = window;
        StratDocument &document = window->document();
        const auto changed = [this] {
            m_resend.start();
        };
        // Any change of the records, the title or the overview is sent again,
        // gathered over a short moment.
        m_sharedConnections = {
            connect(&document, &StratDocument::objectChanged, this, changed),
            connect(&document, &StratDocument::textChanged, this, changed),
            connect(&document, &StratDocument::movementChanged, this, changed),
            connect(&document, &StratDocument::linkChanged, this, changed),
            connect(&document, &StratDocument::titleChanged, this, changed),
            connect(&document, &StratDocument::overviewChanged, this, changed),
            connect(&document, &StratDocument::reset, this, changed),
            connect(&window->playback(), &Playback::stateChanged, this, &TeamBoard::sendPlay),
            connect(&window->playback(), &Playback::speedChanged, this, &TeamBoard::sendPlay),
            connect(&window->playback(), &Playback::jumped, this, &TeamBoard::sendPlay),
        };
    }
    sendStrat();
    sendPlay();
    return true;
}

void TeamBoard::stopSharing()
{
    if (!m_shared)
        return;
    for (const QMetaObject::Connection &c : m_sharedConnections)
        disconnect(c);
    m_sharedConnections.clear();
    m_shared = nullptr;
    m_resend.stop();
    m_heartbeat.stop();
    if (m_client.isConnected())
        m_client.stopSharing();
}

void TeamBoard::sendStrat()
{
    // A strat window closed or handed to another strat shares no more.
    if (!m_shared || m_shared->iMI == 0) {
        stopSharing();
        return;
    }
    QByteArray bytes;
    if (!StratFile::encode(m_shared->strat(), bytes))
        return; // a strat no save could write is not shared either
    m_client.shareStrat(bytes, m_shared->document().title());
}

void TeamBoard::sendPlay()
{
    if (!m_shared)
        return;
    const Playback &playback = m_shared->playback();
    BoardPlay play;
    play.run = boardRunOf(playback.state());
    play.frame = playback.frame();
    play.speed = playback.speed();
    m_client.sendPlay(play);
    if (play.run == BoardPlay::Run::Running) {
        if (!m_heartbeat.isActive())
            m_heartbeat.start();
    } else {
        m_heartbeat.stop();
    }
}

frmMapa *TeamBoard::copyOf(const QString &nick) const
{
    frmMapa *copy = m_copies.value(nick);
    // A copy the player closed may since hold another strat.
    return copy && copy->iMI != 0 && copy->sharing().sharedBy() == nick ? copy : nullptr;
}

void TeamBoard::onStratShared(const QString &nick, const QString &, const QByteArray &bytes)
{
    if (nick != m_leader)
        m_lastPlay.reset(); // the last play was another sharer's
    m_leader = nick;
    Strat strat;
    if (!StratFile::decode(bytes, nick, strat))
        return; // the client's reader let it through; ours is the same
    frmMapa *copy = copyOf(nick);
    if (!copy) {
        copy = m_newWindow ? m_newWindow() : nullptr;
        if (!copy)
            return; // every strat slot is taken
        copy->sharing().setSharedBy(nick);
        m_copies.insert(nick, copy);
    }
    copy->sharing().loadShared(strat);
    if (m_lastPlay)
        follow(copy, *m_lastPlay, m_lastPlayArrivedMs);
}

void TeamBoard::onSharingStopped(const QString &nick)
{
    // The copy stays as it is, read-only, to be saved or closed.
    if (nick == m_leader)
        m_leader.clear();
}

void TeamBoard::onPlay(const BoardPlay &play)
{
    if (m_leader.isEmpty())
        return;
    m_lastPlay = play;
    m_lastPlayArrivedMs = PlayFollower::steadyMs();
    if (frmMapa *copy = copyOf(m_leader))
        follow(copy, play, m_lastPlayArrivedMs);
}

void TeamBoard::follow(frmMapa *copy, const BoardPlay &play, qint64 arrivedMs)
{
    if (PlayFollower *follower = copy->sharing().follower())
        follower->follow(playbackStateOf(play.run), play.frame, play.speed, arrivedMs);
}

void TeamBoard::ping(frmMapa &window, const QPoint &twips)
{
    window.sharing().showPing(twips, m_client.nick());
    if (m_client.isConnected())
        m_client.sendPing(twips);
}

void TeamBoard::onPinged(const QString &nick, const QPoint &twips)
{
    // Every board that shows the shared strat: the own shared window and
    // every copy.
    if (m_shared)
        m_shared->sharing().showPing(twips, nick);
    for (const QString &sharer : m_copies.keys())
        if (frmMapa *copy = copyOf(sharer))
            copy->sharing().showPing(twips, nick);
}

} // namespace vantrel
