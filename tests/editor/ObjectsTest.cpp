#include "EditorFixture.h"

#include <QAction>
#include <QMenu>

using namespace vantrel;
using namespace vantrel::test;

using ObjectEditing = EditorFixture;

TEST_F(ObjectEditing, PlacementIsCentredOnTheClickAndSpendsTheTool)
{
    EXPECT_EQ(place(5, 1000, 2000), 1);
    EXPECT_EQ(map().strat().Objects[1], (StratObject{5, 925, 1925}));
    ASSERT_NE(surface().imgObj(1), nullptr);
    EXPECT_EQ(surface().imgObj(1)->pos(), QPointF(925, 1925));
    EXPECT_EQ(map().editor().lastPlacedObject(), 1);
    EXPECT_FALSE(ws.tools.PlacingMode());

    // The next click on the map places nothing.
    clickAt(3000, 3000);
    EXPECT_EQ(map().iObj(), 1);
}

TEST_F(ObjectEditing, RemovingObjectTwoOfThreeKeepsNumbersAndTheFourthIsFour)
{
    place(0, 1000, 1000);
    place(1, 2000, 1000);
    place(2, 3000, 1000);
    rightClickObject(2);
    ui.answer(MsgResult::No); // No keeps it
    menus->mnuApagar()->trigger();
    EXPECT_NE(surface().imgObj(2), nullptr);
    removeSelected();
    EXPECT_EQ(map().iObj(), 3);
    EXPECT_EQ(map().strat().Objects[2], (StratObject{-1, 0, 0}));
    EXPECT_EQ(surface().imgObj(2), nullptr);
    EXPECT_NE(surface().imgObj(3), nullptr);
    EXPECT_EQ(place(4, 4000, 1000), 4);
    EXPECT_NE(surface().imgObj(4), nullptr);
}

TEST_F(ObjectEditing, RemovingAnObjectRemovesItsPathAndKeepsTheMovementRecord)
{
    place(0, 1000, 1000);
    place(5, 5000, 1000);
    addPointFor(1, 2000, 2000);
    addPointFor(2, 6000, 2000);
    addPointFor(1, 3000, 2000);
    rightClickObject(1);
    removeSelected();
    EXPECT_EQ(surface().picM(1), nullptr);
    EXPECT_EQ(surface().linha(3), nullptr);
    EXPECT_NE(surface().picM(2), nullptr);
    EXPECT_EQ(map().strat().Movements.count(), 2);
    const StratMovement &m = map().strat().Movements[1];
    EXPECT_EQ(m.ObjectIndex, 0);
    EXPECT_EQ(m.PointCount, 0);
    EXPECT_EQ(m.Points.size(), 1u);
    EXPECT_EQ(map().document().movementOf(1), -1);
    EXPECT_EQ(map().document().movementOf(2), 2);
}

TEST_F(ObjectEditing, DraggingMovesTheFirstSegmentButNotTheWayPoints)
{
    place(0, 1000, 1000);
    addPointFor(1, 3000, 1000);
    addPointFor(1, 3000, 3000);
    const auto pointsBefore = map().strat().Movements[1].Points;

    const MapEvent grab = at(965, 965);
    ASSERT_EQ(grab.hit.kind, MapHit::Object);
    press(grab);
    moveTo(grab, 1065, 1015);
    EXPECT_TRUE(surface().shpT()->isVisible());
    EXPECT_EQ(surface().shpT()->pos(), QPointF(1025, 975));
    EXPECT_EQ(surface().imgObj(1)->pos(), QPointF(925, 925)) << "stays until the release";
    release(grab, 1065, 1015);

    EXPECT_FALSE(surface().shpT()->isVisible());
    EXPECT_EQ(map().strat().Objects[1], (StratObject{0, 1025, 975}));
    EXPECT_EQ(surface().imgObj(1)->pos(), QPointF(1025, 975));
    EXPECT_EQ(surface().linha(1)->line(), QLineF(1100, 1050, 3000, 1000));
    EXPECT_EQ(lineStart(2), QPointF(3000, 1000));
    EXPECT_EQ(markerCentre(1), QPointF(3000, 1000));
    EXPECT_EQ(map().strat().Movements[1].Points, pointsBefore);
}

TEST_F(ObjectEditing, PopupItemsForObjectsAndTexts)
{
    place(0, 1000, 1000);
    insertText(3000, 3000, typeAndOk("txtTexto", "A"));
    auto shown = [&] {
        QStringList texts;
        for (QAction *a : menus->mnuPopup()->actions())
            if (a->isVisible())
                texts << a->text();
        return texts.join(';');
    };
    rightClickText(1);
    EXPECT_EQ(shown(), "&Remove Object");
    EXPECT_EQ(selection().Kind, StratSelection::Text);

    rightClickObject(1);
    EXPECT_EQ(shown(), "Add &Movement;&Line Color;&Remove Object;&Link");
    EXPECT_EQ(selection().Kind, StratSelection::ObjectOrPoint);
    EXPECT_EQ(selection().Item, 1);
    EXPECT_EQ(selection().Point, 0);
}

TEST_F(ObjectEditing, F4Preconditions)
{
    place(0, 1000, 1000);
    insertText(3000, 3000, typeAndOk("txtTexto", "A"));
    frmMapa *other = addWindow();
    // Nothing right-clicked yet.
    map().input().keyDown(Qt::Key_F4);
    EXPECT_FALSE(map().bMovimento());
    EXPECT_FALSE(ws.tools.PlacingMode());
    // Last right-click on a text.
    rightClickText(1);
    map().input().keyDown(Qt::Key_F4);
    EXPECT_FALSE(map().bMovimento());
    // Last right-click in another window.
    rightClickObject(1);
    other->input().keyDown(Qt::Key_F4);
    EXPECT_FALSE(other->bMovimento());
    EXPECT_FALSE(ws.tools.PlacingMode());
    // Selected object in this window.
    map().input().keyDown(Qt::Key_F4);
    EXPECT_TRUE(map().bMovimento());
    EXPECT_TRUE(ws.tools.PlacingMode());
    // Esc drops it again.
    map().input().keyDown(Qt::Key_Escape);
    EXPECT_FALSE(map().bMovimento());
    EXPECT_FALSE(ws.tools.PlacingMode());
}

TEST_F(ObjectEditing, ShiftReleaseKeepsOnlyThePreview)
{
    int &previewCalls = ws.previewChanges;
    ws.tools.armPalette(2);
    MapEvent e = at(1000, 1000);
    press(e);
    e.shift = true;
    release(e, 1000, 1000);
    EXPECT_EQ(previewCalls, 0);
    EXPECT_FALSE(ws.tools.PlacingMode()) << "the tool is still spent";
    map().input().keyUp(Qt::Key_Shift);
    EXPECT_EQ(previewCalls, 1);
}

TEST_F(ObjectEditing, PausedPlaybackIgnoresPressesOnOlderObjects)
{
    place(0, 1000, 1000);
    place(1, 3000, 1000);
    map().playback().play();
    map().playback().pause();
    rightClickObject(1);
    EXPECT_EQ(selection().Kind, StratSelection::None);
    rightClickObject(2);
    EXPECT_EQ(selection().Item, 2);
}
