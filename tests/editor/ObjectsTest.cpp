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
    EXPECT_EQ(map().LastPlacedObject(), 1);
    EXPECT_FALSE(ws.tools.PlacingMode());

    // The next click on the map places nothing.
    map().surfacePress(Qt::LeftButton, 3000, 3000);
    map().surfaceRelease(Qt::LeftButton, false, 3000, 3000);
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
    map().ApagaObjeto(1);
    EXPECT_EQ(surface().picM(1), nullptr);
    EXPECT_EQ(surface().linha(3), nullptr);
    EXPECT_NE(surface().picM(2), nullptr);
    EXPECT_EQ(map().strat().Movements.count(), 2);
    const StratMovement &m = map().strat().Movements[1];
    EXPECT_EQ(m.ObjectIndex, 0);
    EXPECT_EQ(m.PointCount, 0);
    EXPECT_EQ(m.Points.size(), 1u);
    EXPECT_EQ(map().movementOf(1), -1);
    EXPECT_EQ(map().movementOf(2), 2);
}

TEST_F(ObjectEditing, DraggingMovesTheFirstSegmentButNotTheWayPoints)
{
    place(0, 1000, 1000);
    addPointFor(1, 3000, 1000);
    addPointFor(1, 3000, 3000);
    const auto pointsBefore = map().strat().Movements[1].Points;

    map().objectPress(1, Qt::LeftButton, 40, 40);
    map().objectMove(1, Qt::LeftButton, 140, 90);
    EXPECT_TRUE(surface().shpT()->isVisible());
    EXPECT_EQ(surface().shpT()->pos(), QPointF(1025, 975));
    EXPECT_EQ(surface().imgObj(1)->pos(), QPointF(925, 925)) << "stays until the release";
    map().objectRelease(1, Qt::LeftButton);

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
    map().textPress(1, Qt::RightButton, 5, 5);
    EXPECT_EQ(shown(), "&Remove Object");
    EXPECT_EQ(ws.tools.SelectionKind, 2);

    rightClickObject(1);
    EXPECT_EQ(shown(), "Add &Movement;&Line Color;&Remove Object;&Link");
    EXPECT_EQ(ws.tools.SelectionKind, 1);
    EXPECT_EQ(ws.tools.SelectionItem, 1);
    EXPECT_EQ(ws.tools.SelectionPoint, 0);
    EXPECT_EQ(ws.tools.SelectionWindow, 1);
}

TEST_F(ObjectEditing, F4Preconditions)
{
    place(0, 1000, 1000);
    frmMapa *other = addWindow();
    // Nothing right-clicked yet.
    map().keyDown(Qt::Key_F4);
    EXPECT_FALSE(map().bMovimento());
    EXPECT_FALSE(ws.tools.PlacingMode());
    // Last right-click on a text.
    ws.tools.SelectionWindow = 1;
    ws.tools.SelectionKind = 2;
    ws.tools.SelectionItem = 1;
    map().keyDown(Qt::Key_F4);
    EXPECT_FALSE(map().bMovimento());
    // Last right-click in another window.
    rightClickObject(1);
    other->keyDown(Qt::Key_F4);
    EXPECT_FALSE(other->bMovimento());
    EXPECT_FALSE(ws.tools.PlacingMode());
    // Selected object in this window.
    map().keyDown(Qt::Key_F4);
    EXPECT_TRUE(map().bMovimento());
    EXPECT_TRUE(ws.tools.PlacingMode());
    // Esc drops it again.
    map().keyDown(Qt::Key_Escape);
    EXPECT_FALSE(map().bMovimento());
    EXPECT_FALSE(ws.tools.PlacingMode());
}

TEST_F(ObjectEditing, ShiftReleaseKeepsOnlyThePreview)
{
    int previewCalls = 0;
    ws.setSelectedPreview = [&](const QPixmap &) {
        ++previewCalls;
    };
    ws.tools.armPalette(2);
    map().surfacePress(Qt::LeftButton, 1000, 1000);
    map().surfaceRelease(Qt::LeftButton, true, 1000, 1000);
    EXPECT_EQ(previewCalls, 0);
    EXPECT_FALSE(ws.tools.PlacingMode()) << "the tool is still spent";
    map().keyUp(Qt::Key_Shift);
    EXPECT_EQ(previewCalls, 1);
}

TEST_F(ObjectEditing, PausedPlaybackIgnoresPressesOnOlderObjects)
{
    place(0, 1000, 1000);
    place(1, 3000, 1000);
    map().playback().play();
    map().playback().pause();
    map().objectPress(1, Qt::RightButton, 5, 5);
    EXPECT_EQ(ws.tools.SelectionKind, 0);
    map().objectPress(2, Qt::RightButton, 5, 5);
    EXPECT_EQ(ws.tools.SelectionItem, 2);
}
