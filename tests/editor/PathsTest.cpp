#include "EditorFixture.h"

#include "editor/SystemColors.h"

#include <QAction>
#include <QApplication>
#include <QPalette>

#include <array>

using namespace vantrel;
using namespace vantrel::test;

using PathEditing = EditorFixture;

namespace {

// A Movement dialog answer that checks which speeds are offered and which one
// is preselected, then confirms.
ScriptedUi::DialogScript expectSpeeds(std::array<bool, 3> enabled, int checked, bool *seen)
{
    return [=](QDialog &d) {
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            auto *o = d.findChild<QRadioButton *>(QStringLiteral("optVel(%1)").arg(i));
            EXPECT_EQ(o->isEnabled(), enabled[size_t(i)]);
            EXPECT_EQ(o->isChecked(), i == checked);
        }
        *seen = true;
        d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    };
}

} // namespace

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
    EXPECT_EQ(map().document().MarkerPoint(1), 1);
    EXPECT_EQ(surface().picM(1)->pos(), QPointF(1950, 2950));
    EXPECT_EQ(surface().linha(1)->line(), QLineF(1000, 1000, 2000, 3000));
    EXPECT_EQ(surface().picM(1)->brush().color(),
              QApplication::palette().color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(map().playback().engines().engine(1)->iObj, 1);
    EXPECT_EQ(map().playback().engines().engine(1)->point(1), m.Points[1]);
    EXPECT_FALSE(map().bMovimento());
    EXPECT_FALSE(ws.tools.PlacingMode());
}

TEST_F(PathEditing, InterleavedPathsChainToTheirOwnMarkers)
{
    place(0, 1000, 1000); // A
    place(5, 1000, 5000); // B
    for (int x = 2000; x <= 4000; x += 1000) {
        addPointFor(1, x, 1000); // markers 1, 3, 5
        if (x < 4000)
            addPointFor(2, x, 5000); // markers 2, 4
    }
    const int expectedPoints[] = {0, 1, 1, 2, 2, 3};
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(map().document().MarkerPoint(k), expectedPoints[k]);
        EXPECT_EQ(surface().picM(k)->tag(), k % 2 ? 1 : 2);
        EXPECT_EQ(surface().linha(k)->tag(), k % 2 ? 1 : 2);
        EXPECT_EQ(lineStart(k), k > 2 ? markerCentre(k - 2) : QPointF(1000, k == 1 ? 1000 : 5000));
    }
    EXPECT_EQ(map().strat().Movements[1].PointCount, 3);
    EXPECT_EQ(map().strat().Movements[2].PointCount, 2);
}

TEST_F(PathEditing, RubberBandRunsFromThePathEnd)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    menus->mnuMovimento()->trigger();
    moveTo(at(2500, 2500, Qt::NoButton), 2500, 2500);
    EXPECT_TRUE(surface().tlinha()->isVisible());
    EXPECT_EQ(surface().tlinha()->line(), QLineF(1000, 1000, 2500, 2500));
    ui.answer(movOk(0, "0"));
    const MapEvent e = at(2000, 2000);
    press(e);
    EXPECT_FALSE(surface().tlinha()->isVisible());
    release(e, 2000, 2000);
    map().input().keyDown(Qt::Key_F4);
    moveTo(at(4000, 1000, Qt::NoButton), 4000, 1000);
    EXPECT_EQ(surface().tlinha()->line(), QLineF(2000, 2000, 4000, 1000));
}

TEST_F(PathEditing, GrenadeOnlyOffersGrenadeAndPlayersNeverDo)
{
    place(10, 1000, 1000); // a grenade
    place(3, 3000, 1000);  // a player
    const struct
    {
        int16_t object;
        std::array<bool, 3> enabled;
        int checked;
        int16_t velocity;
    } cases[] = {{1, {false, false, true}, 2, 20}, {2, {true, true, false}, 0, 8}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.object);
        bool seen = false;
        rightClickObject(c.object);
        menus->mnuMovimento()->trigger();
        ui.answer(expectSpeeds(c.enabled, c.checked, &seen));
        press(at(2000 * c.object, 2000));
        EXPECT_TRUE(seen);
        EXPECT_EQ(map().strat().Movements[c.object].Points[1].Velocity, c.velocity);
    }
}

TEST_F(PathEditing, NonNumericStartFrameIsZeroAndNumbersAreKept)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    addPoint(2000, 2000, 1, "abc");
    addPoint(3000, 2000, 1, " 45 ");
    EXPECT_EQ(map().strat().Movements[1].Points[1].StartFrame, 0);
    EXPECT_EQ(map().strat().Movements[1].Points[2].StartFrame, 45);
}

TEST_F(PathEditing, ClosingTheMovementDialogAddsNoWayPoint)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    menus->mnuMovimento()->trigger();
    ui.answer(closeBox());
    press(at(2000, 2000));
    EXPECT_EQ(map().MarkerCount(), 0);
    EXPECT_EQ(surface().picM(1), nullptr);
    EXPECT_EQ(map().strat().Movements.count(), 0);
    EXPECT_EQ(map().strat().LineColors.count(), 0);
    EXPECT_FALSE(map().bMovimento());

    // A later way point starts the movement cleanly; closing again adds none.
    addPoint(2000, 2000);
    addPoint(3000, 2000);
    menus->mnuMovimento()->trigger();
    ui.answer(closeBox());
    press(at(4000, 2000));
    EXPECT_EQ(map().MarkerCount(), 2);
    EXPECT_EQ(map().strat().Movements[1].PointCount, 2);
}

TEST_F(PathEditing, EditingPreselectsFromTheStoredVelocity)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    addPoint(2000, 2000, 1, "7");
    bool seen = false;
    ui.answer([&](QDialog &d) {
        EXPECT_EQ(d.findChild<QLineEdit *>(QStringLiteral("txtIni"))->text(), "7");
        expectSpeeds({true, true, true}, 1, &seen)(d);
    });
    doubleClickAt(2000, 2000);
    EXPECT_TRUE(seen);
    ui.answer(movOk(2, "12"));
    doubleClickAt(2000, 2000);
    const MovementPoint edited{12, 1925, 1925, 20};
    EXPECT_EQ(map().strat().Movements[1].Points[1], edited);

    ui.answer(closeBox());
    doubleClickAt(2000, 2000);
    EXPECT_EQ(map().strat().Movements[1].Points[1], edited);
}

TEST_F(PathEditing, DraggingTheMiddleWayPointMovesOnlyItsTwoSegments)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    addPoint(2000, 1000);
    addPoint(3000, 1000);
    addPoint(4000, 1000);
    const MapEvent grab = at(3000, 1000);
    ASSERT_EQ(grab.hit.kind, MapHit::Marker);
    press(grab);
    moveTo(grab, 3000, 1500);
    EXPECT_TRUE(surface().shpM()->isVisible());
    release(grab, 3000, 1500);
    EXPECT_FALSE(surface().shpM()->isVisible());
    EXPECT_EQ(markerCentre(2), QPointF(3000, 1500));
    EXPECT_EQ(surface().linha(1)->line(), QLineF(1000, 1000, 2000, 1000));
    EXPECT_EQ(surface().linha(2)->line(), QLineF(2000, 1000, 3000, 1500));
    EXPECT_EQ(surface().linha(3)->line(), QLineF(3000, 1500, 4000, 1000));
    EXPECT_EQ(map().strat().Movements[1].Points[2].X, 2925);
    EXPECT_EQ(map().strat().Movements[1].Points[2].Y, 1425);
}

TEST_F(PathEditing, RemoveMovementCutsTheTailAndItsLink)
{
    place(0, 1000, 1000);
    place(5, 1000, 5000);
    addPointFor(1, 2000, 1000); // marker 1
    addPointFor(2, 2000, 5000); // marker 2, other path
    for (int x = 3000; x <= 5000; x += 1000)
        addPointFor(1, x, 1000); // markers 3..5
    // A link on way point 2 of movement 1 (marker 3).
    rightClickMarker(3);
    ui.answer(typeAndOk("txtLink", "http://example.invalid/a"));
    menus->mnuLink2()->trigger();
    ASSERT_EQ(map().strat().Links.count(), 1);

    rightClickMarker(3);
    removeSelected(true);
    EXPECT_EQ(map().strat().Movements[1].PointCount, 1);
    EXPECT_EQ(map().strat().Movements[1].Points.size(), 2u);
    EXPECT_NE(surface().picM(1), nullptr);
    EXPECT_NE(surface().picM(2), nullptr) << "the other path stays";
    for (int k = 3; k <= 5; ++k) {
        EXPECT_EQ(surface().picM(k), nullptr) << k;
        EXPECT_EQ(surface().linha(k), nullptr) << k;
    }
    EXPECT_EQ(map().strat().Links[1], StratLink());

    // Going on with the path continues from the remaining way point.
    addPointFor(1, 6000, 1000);
    EXPECT_EQ(map().document().MarkerPoint(6), 2);
    EXPECT_EQ(lineStart(6), markerCentre(1));
}

TEST_F(PathEditing, RemovingTheFirstWayPointEmptiesThePathButKeepsItAttached)
{
    place(0, 1000, 1000);
    addPointFor(1, 2000, 1000);
    addPointFor(1, 3000, 1000);
    rightClickMarker(1);
    removeSelected(true);
    EXPECT_EQ(map().strat().Movements[1].PointCount, 0);
    addPointFor(1, 5000, 5000);
    EXPECT_EQ(map().strat().Movements.count(), 1);
    EXPECT_EQ(lineStart(3), QPointF(1000, 1000)) << "starts again from the object";
}

TEST_F(PathEditing, RecolouringTouchesOnlyThatMovementWithInterleavedMarkers)
{
    place(0, 1000, 1000);
    place(5, 1000, 5000);
    for (int x = 2000; x <= 3000; x += 1000) {
        addPointFor(1, x, 1000);
        addPointFor(2, x, 5000);
    }
    // Without a change OK keeps the colour.
    rightClickObject(1);
    ui.answer([](QDialog &d) {
        EXPECT_EQ(static_cast<frmCores &>(d).preview(), kButtonFaceColor);
        static_cast<frmCores &>(d).cmdOk()->click();
    });
    menus->mnuCor()->trigger();
    EXPECT_EQ(map().strat().LineColors[1], kButtonFaceColor);

    ui.answer(pickColour(4));
    menus->mnuCor()->trigger();
    EXPECT_EQ(map().strat().LineColors[1], 0x000000FFu);
    EXPECT_EQ(map().strat().LineColors[2], kButtonFaceColor);
    const QColor buttonFace = colorFromValue(kButtonFaceColor);
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const QColor expected = k % 2 ? QColor(255, 0, 0) : buttonFace;
        EXPECT_EQ(surface().picM(k)->brush().color(), expected);
        EXPECT_EQ(surface().linha(k)->pen().color(), expected);
    }
    // New way points take the new colour.
    addPointFor(1, 4000, 1000);
    EXPECT_EQ(surface().picM(5)->brush().color(), QColor(255, 0, 0));
}

TEST_F(PathEditing, LineColorWithoutAMovementOpensNoDialog)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    menus->mnuCor()->trigger(); // a dialog would find no scripted answer and fail
    EXPECT_EQ(map().strat().LineColors.count(), 0);
}

TEST(ColorDialog, AClickOnABoxPreviewsItsColour)
{
    TempHome home;
    frmCores d(0);
    d.picCor(12)->clicked(d.picCor(12)->value());
    EXPECT_EQ(d.preview(), 0x00FF0000u);
}
