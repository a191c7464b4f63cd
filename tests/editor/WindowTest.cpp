#include "EditorFixture.h"

#include "editor/MapView.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

using namespace vantrel;
using namespace vantrel::test;

class StratWindow : public EditorFixture
{
protected:
    QWidget *viewport() { return map().view()->viewport(); }

    // Sends a mouse event to `target` (the map's viewport by default).
    void mouse(QEvent::Type type, QPoint pixel, Qt::MouseButton button, Qt::MouseButtons buttons,
               QWidget *target = nullptr)
    {
        QWidget *w = target ? target : viewport();
        QMouseEvent e(type, QPointF(pixel), w->mapToGlobal(QPointF(pixel)), button, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void click(QPoint pixel, Qt::MouseButton button = Qt::LeftButton, QWidget *target = nullptr)
    {
        mouse(QEvent::MouseButtonPress, pixel, button, button, target);
        mouse(QEvent::MouseButtonRelease, pixel, button, Qt::NoButton, target);
    }
    void clickLabel(const char *name)
    {
        auto *label = map().findChild<QLabel *>(name);
        click(label->rect().center(), Qt::LeftButton, label);
    }
    void key(Qt::Key k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(map().view(), &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(map().view(), &release);
    }
};

TEST_F(StratWindow, BackgroundIsDrawnAtItsOwnSizeFromTheTopLeft)
{
    QImage image(100, 80, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(99, 79, qRgb(0, 0, 255));
    map().surface().scene().setBackground(QPixmap::fromImage(image));
    const QImage shot = map().grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(50, 40)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(99, 79)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(shot.pixel(100, 40)), QColor(Qt::black)) << "not stretched";
}

TEST_F(StratWindow, RealClicksPlaceSelectAndDragAnObject)
{
    ws.tools.armPalette(6);
    click(QPoint(200, 300));
    ASSERT_EQ(map().iObj(), 1);
    EXPECT_EQ(map().strat().Objects[1], (StratObject{6, 200 * 15 - 75, 300 * 15 - 75}));
    EXPECT_FALSE(ws.tools.PlacingMode());

    click(QPoint(201, 301), Qt::RightButton);
    EXPECT_EQ(selection().Kind, StratSelection::ObjectOrPoint);
    EXPECT_EQ(selection().Item, 1);

    mouse(QEvent::MouseButtonPress, QPoint(200, 300), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(260, 320), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(surface().shpT()->isVisible());
    mouse(QEvent::MouseButtonRelease, QPoint(260, 320), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(map().strat().Objects[1], (StratObject{6, 260 * 15 - 75, 320 * 15 - 75}));
    EXPECT_FALSE(surface().shpT()->isVisible());
}

TEST_F(StratWindow, RealEventsAddAWayPointWithF4AndEditATextByDoubleClick)
{
    ws.tools.armPalette(0);
    click(QPoint(100, 100));
    click(QPoint(100, 100), Qt::RightButton);
    key(Qt::Key_F4);
    EXPECT_TRUE(map().bMovimento());
    mouse(QEvent::MouseMove, QPoint(200, 150), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(surface().tlinha()->isVisible());
    ui.answer(movOk(1, "0"));
    click(QPoint(200, 150));
    EXPECT_EQ(map().MarkerCount(), 1);
    EXPECT_EQ(map().strat().Movements[1].Points[1], (MovementPoint{0, 2925, 2175, 3}));

    ws.tools.armText();
    ui.answer(typeAndOk("txtTexto", "B long"));
    click(QPoint(400, 400));
    ASSERT_EQ(map().iTxt(), 1);
    ui.answer(typeAndOk("txtTexto", "B short"));
    click(QPoint(405, 405));
    mouse(QEvent::MouseButtonDblClick, QPoint(405, 405), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPoint(405, 405), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(map().strat().Texts[1].Caption, "B short");

    // Markers sit above objects: a right click on a marker over an object
    // selects the marker.
    click(QPoint(200, 150), Qt::RightButton);
    EXPECT_EQ(selection().Point, 1);
}

TEST_F(StratWindow, AWayPointFollowsARightClickWhoseReleaseWentToThePopupMenu)
{
    ws.tools.armPalette(0);
    click(QPoint(100, 100));
    // The popup menu takes the right button's release: the view sees the press only.
    mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::RightButton, Qt::RightButton);
    ASSERT_EQ(selection().Item, 1);
    ws.tools.armWayPoint(map().iMI); // "Add Movement"

    mouse(QEvent::MouseMove, QPoint(200, 150), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(surface().tlinha()->isVisible());
    ui.answer(movOk(0, "0"));
    click(QPoint(200, 150));
    EXPECT_EQ(map().MarkerCount(), 1);
}

// The strip's labels act on a left click released over them, as a click
// does everywhere else: not on another button, not on a press dragged off.
TEST_F(StratWindow, CloseMarkSiteLinkAndTitleActOnALeftClickOnly)
{
    int closes = 0;
    int renames = 0;
    QObject::connect(&map(), &frmMapa::closeRequested, [&](frmMapa *) { ++closes; });
    QObject::connect(&map(), &frmMapa::renameRequested, [&](frmMapa *) { ++renames; });
    auto opens = [&] {
        return std::count_if(ui.prompts().begin(), ui.prompts().end(),
                             [](const Prompt &p) { return p.kind == Prompt::Open; });
    };
    for (const char *name : {"lblFechar", "lblSite"}) {
        SCOPED_TRACE(name);
        auto *label = map().findChild<QLabel *>(name);
        const QPoint inside = label->rect().center();
        click(inside, Qt::RightButton, label);
        click(inside, Qt::MiddleButton, label);
        mouse(QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton, label);
        mouse(QEvent::MouseButtonRelease, inside + QPoint(0, 40), Qt::LeftButton, Qt::NoButton,
              label);
        EXPECT_EQ(closes + opens(), 0);
    }
    clickLabel("lblFechar");
    EXPECT_EQ(closes, 1);
    clickLabel("lblSite");
    EXPECT_EQ(opens(), 1);
    EXPECT_EQ(ui.last().text, "http://www.vantrel.net");

    auto *title = map().findChild<QLabel *>("lblTitulo");
    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton})
        mouse(QEvent::MouseButtonDblClick, title->rect().center(), button, button, title);
    EXPECT_EQ(renames, 1);
}

// A palette icon's transparent corners belong to it: a click there with a
// palette icon armed places nothing, and a right-click opens its menu.
TEST_F(StratWindow, TheWholeIconRectangleIsTheObject)
{
    map().resize(799, 585);
    place(0, 1575, 1575); // top-left corner at pixel (100, 100)
    ASSERT_EQ(qAlpha(PaletteIcons::image(0).pixel(0, 0)), 0) << "the corner is transparent";
    ws.tools.armPalette(5);
    click(QPoint(100, 100));
    EXPECT_EQ(map().iObj(), 1);
    ws.tools.disarm();
    click(QPoint(100, 100), Qt::RightButton);
    EXPECT_EQ(selection().Kind, StratSelection::ObjectOrPoint);
    EXPECT_EQ(selection().Item, 1);
}

TEST_F(StratWindow, MoveWindowToolMovesTheWindowOnce)
{
    QWidget frame;
    frame.resize(1200, 900);
    map().setParent(&frame);
    map().move(10, 20);
    ws.tools.armMoveWindow();
    mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(130, 90), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(map().pos(), QPoint(40, 10));
    mouse(QEvent::MouseButtonRelease, QPoint(100, 100), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(ws.tools.MoveWindowMode());
    map().setParent(nullptr);
}

TEST_F(StratWindow, DiscardEmptiesEverythingForTheNextStratInTheSlot)
{
    place(0, 1000, 1000);
    addPointFor(1, 2000, 2000);
    map().sArquivo = "x.vtr";
    map().discardStrat();
    EXPECT_EQ(map().iMI, 0);
    EXPECT_EQ(map().strat(), Strat());
    EXPECT_EQ(map().editor().lastPlacedObject(), 0);
    EXPECT_EQ(map().playback().engines().engine(1), nullptr);
    EXPECT_EQ(surface().imgObj(1), nullptr);
    EXPECT_EQ(surface().picM(1), nullptr);
    EXPECT_TRUE(map().sArquivo.isEmpty());
    // Reused: numbering starts again at 1.
    map().iMI = 1;
    EXPECT_EQ(place(3, 1000, 1000), 1);
    addPointFor(1, 2000, 2000);
    EXPECT_EQ(map().MarkerCount(), 1);
    EXPECT_EQ(lineStart(1), QPointF(1000, 1000));
}
