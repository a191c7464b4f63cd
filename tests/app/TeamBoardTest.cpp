// The team board end to end: three main windows in one process, the first
// hosting the chat (and so the board), the others joining through real
// sockets on 127.0.0.1.
#include "app/TeamBoard.h"
#include "app/ShellFixture.h"
#include "chatwindow/frmChat.h"
#include "editor/MapInput.h"
#include "editor/MapView.h"
#include "editor/PingPulse.h"
#include "editor/SharedCopy.h"
#include "editor/StratSurface.h"
#include "support/EventLoop.h"

#include <QAction>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

#include <array>
#include <cstdlib>

using namespace vantrel;
using namespace vantrel::test;

namespace {

// A chat port whose next port (the board's) is free too.
quint16 freePortPair()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTcpServer chat;
        if (!chat.listen(QHostAddress::LocalHost, 0) || chat.serverPort() == 65535)
            continue;
        QTcpServer board;
        if (board.listen(QHostAddress::LocalHost, quint16(chat.serverPort() + 1)))
            return chat.serverPort();
    }
    return 0;
}

QByteArray encoded(const frmMapa *window)
{
    QByteArray bytes;
    EXPECT_TRUE(StratFile::encode(window->strat(), bytes).ok);
    return bytes;
}

QStringList pingsOn(frmMapa *window)
{
    QStringList nicks;
    for (QGraphicsItem *item : window->surface().scene().items())
        if (item->type() == PingPulse::Type)
            nicks << static_cast<PingPulse *>(item)->nick();
    return nicks;
}

struct Player
{
    ScriptedUi ui;
    std::unique_ptr<frmPrincipal> frm = std::make_unique<frmPrincipal>(ui);
    TeamBoard &board() { return frm->teamBoard(); }
    frmChat &chat()
    {
        if (!frm->chatWindow())
            frm->showChat();
        return *frm->chatWindow();
    }
};

class TeamBoardTest : public ShellTest
{
protected:
    void SetUp() override
    {
        port = freePortPair();
        ASSERT_NE(port, 0);
        for (Player &p : players)
            p.frm->show();
    }

    void host(Player &p, const char *nick)
    {
        p.chat().setChatPort(port, QStringLiteral("127.0.0.1"));
        p.ui.answer(nick);
        p.chat().cmdAguardar->click();
        ASSERT_TRUE(waitUntil([&] { return p.board().isConnected(); }));
    }

    void join(Player &p, const char *nick)
    {
        p.chat().setChatPort(port);
        p.ui.answer(nick);
        p.ui.answer("127.0.0.1");
        p.chat().cmdConectar->click();
        ASSERT_TRUE(waitUntil([&] { return p.board().isConnected(); }));
    }

    void leave(Player &p)
    {
        p.ui.answer(MsgResult::Yes);
        p.chat().close();
    }

    // `p` opens the sample strat and shares it with the Strat menu.
    frmMapa *share(Player &p)
    {
        const QString path = writeStrat(QStringLiteral("rush.vtr"), sampleStrat());
        frmMapa *w = p.frm->stratWindow(p.frm->OpenStratFile(path));
        p.frm->findChild<QAction *>(QStringLiteral("shareAction"))->trigger();
        EXPECT_EQ(p.board().sharedWindow(), w);
        return w;
    }

    frmMapa *copyAt(Player &p, const QString &sharer)
    {
        EXPECT_TRUE(waitUntil([&] { return p.board().copyOf(sharer) != nullptr; }));
        return p.board().copyOf(sharer);
    }

    // Alice hosts and shares; Bob and Carol join: her window and their copies.
    std::array<frmMapa *, 3> aliceSharesWithBobAndCarol()
    {
        auto &[alice, bob, carol] = players;
        host(alice, "alice");
        join(bob, "bob");
        join(carol, "carol");
        frmMapa *shared = share(alice);
        return {shared, copyAt(bob, QStringLiteral("alice")),
                copyAt(carol, QStringLiteral("alice"))};
    }

    // The follower takes the leader's state and speed, then its frame stays
    // within two of the leader's, and one more for the delivery: the state
    // left the sharer a moment before it arrived, and in one busy process
    // with three windows that moment can be a frame. Two frame timers in
    // one process also fire a little apart, so frames are compared only
    // while the event loop keeps up.
    static constexpr int kApart = 2 + 1;

    static void expectFollowing(frmMapa *leader, frmMapa *follower, int forMs = 300)
    {
        const auto apart = [&] {
            return std::abs(follower->playback().frame() - leader->playback().frame());
        };
        ASSERT_TRUE(waitUntil([&] {
            return follower->playback().state() == leader->playback().state()
                   && follower->playback().speed() == leader->playback().speed()
                   && apart() <= kApart;
        }));
        if (forMs > 0)
            settle(150); // the follower's first drift check
        QElapsedTimer t;
        t.start();
        qint64 last = 0;
        while (t.elapsed() < forMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const qint64 now = t.elapsed();
            if (now - last <= 8) {
                ASSERT_LE(apart(), kApart) << "leader at " << leader->playback().frame()
                                           << ", follower at " << follower->playback().frame();
            }
            last = now;
        }
    }

    std::array<Player, 3> players;
    quint16 port = 0;
};

} // namespace

// A shared strat arrives byte for byte in a read-only copy that follows the
// sharer's edits; the copy refuses edits and saves only as an ordinary copy.
TEST_F(TeamBoardTest, ShareOpensAReadOnlyCopyThatTakesLiveEdits)
{
    auto &[alice, bob, carol] = players;
    host(alice, "alice");
    join(bob, "bob");
    frmMapa *shared = share(alice);

    frmMapa *copy = copyAt(bob, QStringLiteral("alice"));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("Shared by alice: Rush B"));
    EXPECT_EQ(encoded(copy), encoded(shared));
    EXPECT_TRUE(copy->sArquivo.isEmpty());

    shared->document().placeObject(4, 6000, 3000);
    shared->document().rename(StratTitle::fit(QStringLiteral("Rush B, late")));
    ASSERT_TRUE(waitUntil([&] { return encoded(copy) == encoded(shared); }));
    EXPECT_EQ(bob.board().copyOf(QStringLiteral("alice")), copy); // updated in place
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("Shared by alice: Rush B, late"));

    // Edits: a palette tool, a drag of an object, F4, a rename, undo.
    bob.ui.clear();
    const QByteArray before = encoded(copy);
    bob.frm->onPaletteClicked(2);
    MapEvent press;
    press.button = Qt::LeftButton;
    press.buttons = Qt::LeftButton;
    press.pos = QPointF(900, 900);
    copy->input().press(press);
    copy->input().release(press);
    MapEvent drag = press;
    drag.hit = copy->surface().hitAt(QPointF(1600, 1300));
    ASSERT_EQ(drag.hit.kind, MapHit::Object);
    copy->input().press(drag);
    drag.pos = QPointF(3000, 3000);
    copy->input().move(drag);
    copy->input().release(drag);
    copy->input().keyDown(Qt::Key_F4);
    bob.frm->renameStrat(copy);
    EXPECT_FALSE(bob.frm->undoAction()->isEnabled());
    EXPECT_EQ(encoded(copy), before);
    EXPECT_TRUE(bob.ui.prompts().empty());

    // Save writes a copy where the player says; the window stays the copy.
    const QString saved = home.file(QStringLiteral("mine.vtr"));
    bob.ui.answer(saved);
    bob.frm->saveStrat();
    EXPECT_EQ(bytesOf(saved), before);
    EXPECT_TRUE(copy->sharing().isShared());
    EXPECT_TRUE(copy->sArquivo.isEmpty());
    EXPECT_EQ(bob.frm->OpenStratFile(saved) > 0, true);
    EXPECT_FALSE(bob.frm->activeStratWindow()->sharing().isShared());
}

// Play, seek, speed, pause and stop of the sharer drive every follower within
// two frames; a player who stops following scrubs alone, and Follow catches up.
TEST_F(TeamBoardTest, FollowersKeepWithinTwoFramesOfTheSharersPlay)
{
    auto [shared, bobs, carols] = aliceSharesWithBobAndCarol();
    ASSERT_TRUE(bobs && carols);
    Player &bob = players[1];

    Playback &play = shared->playback();
    const std::pair<const char *, std::function<void()>> steps[] = {
        {"play",
         [&] {
             play.play();
         }},
        {"seek while running",
         [&] {
             play.seekTo(900);
         }},
        {"double speed",
         [&] {
             play.setSpeed(2.0);
         }},
        {"pause",
         [&] {
             play.pause();
         }},
        {"seek while paused",
         [&] {
             play.seekTo(40);
         }},
        {"resume at a quarter",
         [&] {
             play.setSpeed(0.25);
             play.pause();
         }},
        {"stop",
         [&] {
             play.stop();
         }},
    };
    for (const auto &[name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        expectFollowing(shared, bobs);
        expectFollowing(shared, carols, 0);
    }

    // Bob scrubs on his own while Alice plays on.
    play.play();
    expectFollowing(shared, bobs, 0);
    bobs->sharing().follower()->setFollowing(false);
    EXPECT_EQ(bobs->findChild<QLabel *>(QStringLiteral("lblFollow"))->text(), "Follow");
    bobs->playback().pause();
    bobs->playback().seekTo(5);
    play.seekTo(700);
    settle(300);
    EXPECT_EQ(bobs->playback().frame(), 5);
    bob.frm->findChild<QAction *>(QStringLiteral("followAction"))->trigger();
    EXPECT_TRUE(bobs->sharing().follower()->isFollowing());
    EXPECT_LE(std::abs(bobs->playback().frame() - play.frame()), kApart);
    expectFollowing(shared, bobs, 200);
}

// A ping from any player shows on every board, the sharer's included, with the
// player's nick for two seconds, and never in a picture of the board.
TEST_F(TeamBoardTest, PingsShowOnEveryBoardWithTheNick)
{
    auto [shared, bobs, carols] = aliceSharesWithBobAndCarol();
    ASSERT_TRUE(bobs && carols);
    Player &carol = players[2];
    const QImage before = carols->exportPicture();

    QTest::mouseClick(bobs->view()->viewport(), Qt::LeftButton, Qt::AltModifier, QPoint(200, 150));
    carol.frm->onPingToolClicked();
    QTest::mouseClick(carols->view()->viewport(), Qt::LeftButton, {}, QPoint(300, 150));
    for (frmMapa *board : {shared, bobs, carols}) {
        EXPECT_TRUE(waitUntil([&] { return pingsOn(board).size() == 2; }));
        QStringList nicks = pingsOn(board);
        nicks.sort();
        EXPECT_EQ(nicks, QStringList({"bob", "carol"}));
    }
    EXPECT_EQ(carols->exportPicture(), before);
    EXPECT_TRUE(
        waitUntil([&] { return pingsOn(shared).isEmpty(); }, PingPulse::kLifetimeMs + 2000));
}

// A player who joins late gets the strat and the play at once; when the sharer
// leaves, every copy stays open as it was.
TEST_F(TeamBoardTest, LateJoinerCatchesUpAndCopiesOutliveTheSharer)
{
    auto &[alice, bob, carol] = players;
    host(alice, "alice");
    join(bob, "bob");
    frmMapa *shared = share(bob);
    shared->playback().seekTo(300);
    frmMapa *alices = copyAt(alice, QStringLiteral("bob"));
    ASSERT_TRUE(alices);

    join(carol, "carol");
    frmMapa *carols = copyAt(carol, QStringLiteral("bob"));
    ASSERT_TRUE(carols);
    EXPECT_EQ(encoded(carols), encoded(shared));
    expectFollowing(shared, carols, 0);
    EXPECT_EQ(carols->playback().frame(), 300);

    const QByteArray bytes = encoded(shared);
    leave(bob);
    settle(300);
    for (frmMapa *copy : {alices, carols}) {
        EXPECT_NE(copy->iMI, 0);
        EXPECT_TRUE(copy->sharing().isShared());
        EXPECT_EQ(encoded(copy), bytes);
    }
}
