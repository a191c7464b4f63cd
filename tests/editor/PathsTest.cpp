#include "EditorFixture.h"

#include "editor/SystemColors.h"
#include "editor/frmCores.h"

#include <QAction>
#include <QApplication>
#include <QPalette>

using namespace vantrel;
using namespace vantrel::test;

using PathEditing = EditorFixture;

TEST_F(PathEditing, FirstWayPointMakesAMovementFromTheObjectsAnchor)
{
    place(0, 1000, 1000);
    addPointFor(1, 2000, 3000, 1);
    ASSERT_EQ(map().strat().Movements.count(), 1);
    const StratMovement &m = map().strat().Movements[1];
    EXPECT_EQ(m.ObjectIndex, 1);
    EXPECT_EQ(m.PointCount, 1);
    EXPECT_EQ(m.Points[1], (MovementPoint{0, 1925, 2925, 3}));
    EXPECT_EQ(map().strat().LineColors[1], kButtonFaceColor);
    EXPECT_EQ(map().MarkerCount(), 1);
    EXPECT_EQ(map().MarkerPoint(1), 1);
    EXPECT_EQ(surface().picM(1)->pos(), QPointF(1950, 2950));
    EXPECT_EQ(surface().picM(1)->tag(), 1);
    EXPECT_EQ(lineStart(1), QPointF(1000, 1000));
    EXPECT_EQ(lineEnd(1), QPointF(2000, 3000));
    EXPECT_EQ(surface().picM(1)->brush().color(),
              QApplication::palette().color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(map().engine(1)->itM, 1);
    EXPECT_EQ(map().engine(1)->iObj, 1);
    EXPECT_EQ(map().engine(1)->point(1), (MovementPoint{0, 1925, 2925, 3}));
    EXPECT_FALSE(map().bMovimento);
    EXPECT_FALSE(ws.tools.PlacingMode);
}

TEST_F(PathEditing, InterleavedPathsChainToTheirOwnMarkers)
{
    place(0, 1000, 1000);       // A
    place(5, 1000, 5000);       // B
    addPointFor(1, 2000, 1000); // marker 1
    addPointFor(2, 2000, 5000); // marker 2
    addPointFor(1, 3000, 1000); // marker 3
    addPointFor(2, 3000, 5000); // marker 4
    addPointFor(1, 4000, 1000); // marker 5
    EXPECT_EQ(lineStart(1), QPointF(1000, 1000));
    EXPECT_EQ(lineStart(2), QPointF(1000, 5000));
    EXPECT_EQ(lineStart(3), markerCentre(1));
    EXPECT_EQ(lineStart(4), markerCentre(2));
    EXPECT_EQ(lineStart(5), markerCentre(3));
    const int expectedPoints[] = {0, 1, 1, 2, 2, 3};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(map().MarkerPoint(k), expectedPoints[k]) << k;
        EXPECT_EQ(surface().picM(k)->tag(), k % 2 ? 1 : 2) << k;
        EXPECT_EQ(surface().linha(k)->tag(), k % 2 ? 1 : 2) << k;
    }
    EXPECT_EQ(map().strat().Movements[1].PointCount, 3);
    EXPECT_EQ(map().strat().Movements[2].PointCount, 2);
}

TEST_F(PathEditing, RubberBandRunsFromThePathEnd)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    menus->mnuMovimento()->trigger();
    map().surfaceMove(Qt::NoButton, 2500, 2500);
    EXPECT_TRUE(surface().tlinha()->isVisible());
    EXPECT_EQ(surface().tlinha()->line(), QLineF(1000, 1000, 2500, 2500));
    ui.answer(movOk(0, "0"));
    map().surfacePress(Qt::LeftButton, 2000, 2000);
    EXPECT_FALSE(surface().tlinha()->isVisible());
    map().surfaceRelease(Qt::LeftButton, false, 2000, 2000);
    map().keyDown(Qt::Key_F4);
    map().surfaceMove(Qt::NoButton, 4000, 1000);
    EXPECT_EQ(surface().tlinha()->line(), QLineF(2000, 2000, 4000, 1000));
}

TEST_F(PathEditing, GrenadeOnlyOffersGrenadeAndPlayersNeverDo)
{
    place(10, 1000, 1000);
    place(3, 3000, 1000);
    bool checked = false;
    rightClickObject(1);
    menus->mnuMovimento()->trigger();
    ui.answer([&](QDialog &d) {
        auto opt = [&](int i) {
            return d.findChild<QRadioButton *>(QStringLiteral("optVel(%1)").arg(i));
        };
        EXPECT_FALSE(opt(0)->isEnabled());
        EXPECT_FALSE(opt(1)->isEnabled());
        EXPECT_TRUE(opt(2)->isEnabled());
        EXPECT_TRUE(opt(2)->isChecked());
        checked = true;
        d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    map().surfacePress(Qt::LeftButton, 2000, 2000);
    EXPECT_TRUE(checked);
    EXPECT_EQ(map().strat().Movements[1].Points[1].Velocity, 20);

    rightClickObject(2);
    menus->mnuMovimento()->trigger();
    ui.answer([&](QDialog &d) {
        auto opt = [&](int i) {
            return d.findChild<QRadioButton *>(QStringLiteral("optVel(%1)").arg(i));
        };
        EXPECT_TRUE(opt(0)->isEnabled());
        EXPECT_TRUE(opt(0)->isChecked());
        EXPECT_TRUE(opt(1)->isEnabled());
        EXPECT_FALSE(opt(2)->isEnabled());
        d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    map().surfacePress(Qt::LeftButton, 4000, 2000);
    EXPECT_EQ(map().strat().Movements[2].Points[1].Velocity, 8);
}

TEST_F(PathEditing, NonNumericStartFrameIsZeroAndNumbersAreKept)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    addPoint(2000, 2000, 1, "abc");
    addPoint(3000, 2000, 1, " 45 ");
    EXPECT_EQ(map().strat().Movements[1].Points[1].StartFrame, 0);
    EXPECT_EQ(map().strat().Movements[1].Points[2].StartFrame, 45);
    EXPECT_EQ(map().engine(1)->point(2).StartFrame, 45);
}

TEST_F(PathEditing, ClosingTheMovementDialogAddsNoWayPoint)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    menus->mnuMovimento()->trigger();
    ui.answer(closeBox());
    map().surfacePress(Qt::LeftButton, 2000, 2000);
    EXPECT_EQ(map().MarkerCount(), 0);
    EXPECT_EQ(surface().picM(1), nullptr);
    EXPECT_EQ(surface().linha(1), nullptr);
    EXPECT_EQ(map().strat().Movements.count(), 0);
    EXPECT_EQ(map().strat().LineColors.count(), 0);
    EXPECT_FALSE(map().bMovimento);

    // A later way point starts the movement cleanly.
    addPoint(2000, 2000);
    addPoint(3000, 2000);
    menus->mnuMovimento()->trigger();
    ui.answer(closeBox());
    map().surfacePress(Qt::LeftButton, 4000, 2000);
    EXPECT_EQ(map().MarkerCount(), 2);
    EXPECT_EQ(map().strat().Movements[1].PointCount, 2);
    EXPECT_EQ(map().engine(1)->itM, 2);
}

TEST_F(PathEditing, EditingPreselectsFromTheStoredVelocity)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    addPoint(2000, 2000, 1, "7");
    int seen = -1;
    QString start;
    ui.answer([&](QDialog &d) {
        for (int i = 0; i < 3; ++i) {
            auto *o = d.findChild<QRadioButton *>(QStringLiteral("optVel(%1)").arg(i));
            EXPECT_TRUE(o->isEnabled());
            if (o->isChecked())
                seen = i;
        }
        start = d.findChild<QLineEdit *>(QStringLiteral("txtIni"))->text();
        d.findChild<QRadioButton *>(QStringLiteral("optVel(2)"))->setChecked(true);
        d.findChild<QLineEdit *>(QStringLiteral("txtIni"))->setText("12");
        d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    map().markerDoubleClick(1);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(start, "7");
    EXPECT_EQ(map().strat().Movements[1].Points[1], (MovementPoint{12, 1925, 1925, 20}));
    EXPECT_EQ(map().engine(1)->point(1), (MovementPoint{12, 1925, 1925, 20}));

    ui.answer([&](QDialog &d) {
        EXPECT_TRUE(d.findChild<QRadioButton *>(QStringLiteral("optVel(2)"))->isChecked());
        d.reject();
    });
    map().markerDoubleClick(1);
    EXPECT_EQ(map().strat().Movements[1].Points[1], (MovementPoint{12, 1925, 1925, 20}));
}

TEST_F(PathEditing, DraggingTheMiddleWayPointMovesOnlyItsTwoSegments)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    addPoint(2000, 1000);
    addPoint(3000, 1000);
    addPoint(4000, 1000);
    map().markerPress(2, Qt::LeftButton, 50, 50);
    map().markerMove(2, Qt::LeftButton, 50, 550);
    EXPECT_TRUE(surface().shpM()->isVisible());
    map().markerRelease(2, Qt::LeftButton);
    EXPECT_FALSE(surface().shpM()->isVisible());
    EXPECT_EQ(markerCentre(2), QPointF(3000, 1500));
    EXPECT_EQ(lineStart(1), QPointF(1000, 1000));
    EXPECT_EQ(lineEnd(1), QPointF(2000, 1000));
    EXPECT_EQ(lineStart(2), QPointF(2000, 1000));
    EXPECT_EQ(lineEnd(2), QPointF(3000, 1500));
    EXPECT_EQ(lineStart(3), QPointF(3000, 1500));
    EXPECT_EQ(lineEnd(3), QPointF(4000, 1000));
    EXPECT_EQ(map().strat().Movements[1].Points[2].X, 2925);
    EXPECT_EQ(map().strat().Movements[1].Points[2].Y, 1425);
    EXPECT_EQ(map().engine(1)->point(2).Y, 1425);
}

TEST_F(PathEditing, RemoveMovementCutsTheTailAndItsLink)
{
    place(0, 1000, 1000);
    place(5, 1000, 5000);
    rightClickObject(1);
    addPoint(2000, 1000);       // marker 1
    addPointFor(2, 2000, 5000); // marker 2, other path
    addPointFor(1, 3000, 1000); // marker 3
    addPointFor(1, 4000, 1000); // marker 4
    addPointFor(1, 5000, 1000); // marker 5
    // A link on way point 2 of movement 1 (marker 3).
    rightClickMarker(3);
    ui.answer(typeAndOk("txtLink", "http://example.invalid/a"));
    menus->mnuLink2()->trigger();
    ASSERT_EQ(map().strat().Links.count(), 1);

    rightClickMarker(3);
    ui.answer(MsgResult::Yes);
    menus->mnuApagaMov()->trigger();
    EXPECT_EQ(ui.prompts()[ui.prompts().size() - 1].text,
              "Are you sure you want to remove this movement?");
    EXPECT_EQ(ui.last().title, "Remove Movement");
    EXPECT_EQ(map().strat().Movements[1].PointCount, 1);
    EXPECT_EQ(map().strat().Movements[1].Points.size(), 2u);
    EXPECT_EQ(map().engine(1)->itM, 1);
    EXPECT_NE(surface().picM(1), nullptr);
    EXPECT_NE(surface().picM(2), nullptr) << "the other path stays";
    for (int k = 3; k <= 5; ++k) {
        EXPECT_EQ(surface().picM(k), nullptr);
        EXPECT_EQ(surface().linha(k), nullptr);
    }
    EXPECT_EQ(map().strat().Links[1], StratLink());

    // Going on with the path continues from the remaining way point.
    addPointFor(1, 6000, 1000);
    EXPECT_EQ(map().MarkerPoint(6), 2);
    EXPECT_EQ(lineStart(6), markerCentre(1));
}

TEST_F(PathEditing, RemovingTheFirstWayPointEmptiesThePathButKeepsItAttached)
{
    place(0, 1000, 1000);
    addPointFor(1, 2000, 1000);
    addPointFor(1, 3000, 1000);
    rightClickMarker(1);
    ui.answer(MsgResult::Yes);
    menus->mnuApagaMov()->trigger();
    EXPECT_EQ(map().strat().Movements[1].PointCount, 0);
    EXPECT_EQ(map().engine(1)->itM, 0);
    addPointFor(1, 5000, 5000);
    EXPECT_EQ(map().strat().Movements.count(), 1);
    EXPECT_EQ(lineStart(3), QPointF(1000, 1000)) << "starts again from the object";
}

TEST_F(PathEditing, RecolouringTouchesOnlyThatMovementWithInterleavedMarkers)
{
    place(0, 1000, 1000);
    place(5, 1000, 5000);
    addPointFor(1, 2000, 1000);
    addPointFor(2, 2000, 5000);
    addPointFor(1, 3000, 1000);
    addPointFor(2, 3000, 5000);
    rightClickObject(1);
    ui.answer([](QDialog &d) {
        auto &cores = static_cast<frmCores &>(d);
        EXPECT_EQ(cores.preview(), kButtonFaceColor);
        cores.picCor(4)->clicked(cores.picCor(4)->value());
        cores.cmdOk()->click();
    });
    menus->mnuCor()->trigger();
    EXPECT_EQ(map().strat().LineColors[1], 0x000000FFu);
    EXPECT_EQ(map().strat().LineColors[2], kButtonFaceColor);
    const QColor buttonFace = colorFromValue(kButtonFaceColor);
    for (int k = 1; k <= 4; ++k) {
        const QColor expected = k % 2 ? QColor(255, 0, 0) : buttonFace;
        EXPECT_EQ(surface().picM(k)->brush().color(), expected) << k;
        EXPECT_EQ(surface().linha(k)->pen().color(), expected) << k;
    }
    // New way points take the new colour.
    addPointFor(1, 4000, 1000);
    EXPECT_EQ(surface().picM(5)->brush().color(), QColor(255, 0, 0));
}

TEST_F(PathEditing, LineColorWithoutAMovementOpensNoDialogAndOkKeepsTheColour)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    menus->mnuCor()->trigger(); // no movement: no dialog (ScriptedUi would fail)
    addPoint(2000, 2000);
    rightClickObject(1);
    ui.answer([](QDialog &d) { static_cast<frmCores &>(d).cmdOk()->click(); });
    menus->mnuCor()->trigger();
    EXPECT_EQ(map().strat().LineColors[1], kButtonFaceColor);
}

TEST(ColorDialog, TwentyColoursAtTheirPlaces)
{
    TempHome home;
    ScriptedUi ui;
    Workspace ws(ui);
    frmCores d(ws);
    EXPECT_EQ(d.windowTitle(), "Select a Color");
    EXPECT_EQ(d.picCor(0)->pos(), QPoint(8, 40));
    EXPECT_EQ(d.picCor(9)->pos(), QPoint(8 + 24 * 9, 40));
    EXPECT_EQ(d.picCor(10)->pos(), QPoint(8, 64));
    EXPECT_EQ(d.picCor(20)->pos(), QPoint(104, 96));
    EXPECT_EQ(d.picCor(0)->size(), QSize(17, 17));
    EXPECT_EQ(d.picCor(4)->value(), 0x000000FFu);
    EXPECT_EQ(d.picCor(10)->value(), valueFromRgb(0, 148, 144));
    EXPECT_EQ(d.picCor(19)->value(), valueFromRgb(255, 255, 200));
    d.picCor(12)->clicked(d.picCor(12)->value());
    EXPECT_EQ(d.preview(), 0x00FF0000u);
}
