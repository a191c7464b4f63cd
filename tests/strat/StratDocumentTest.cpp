#include "strat/StratDocument.h"
#include "strat/StratFile.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vantrel;

namespace {

QByteArray bytesOf(const StratDocument &doc)
{
    QByteArray bytes;
    EXPECT_TRUE(StratFile::encode(doc.strat(), bytes).ok);
    return bytes;
}

// Two objects with interleaved paths (markers 1, 3 for object 1 and 2 for
// object 2), a text and a link on object 1.
void buildBase(StratDocument &doc)
{
    doc.placeObject(0, 1000, 1000);
    doc.placeObject(5, 4000, 1000);
    doc.addWayPoint(1, 2000, 2000, 0, 8);
    doc.addWayPoint(2, 5000, 2000, 10, 3);
    doc.addWayPoint(1, 3000, 2000, 0, 3);
    doc.insertText(500, 600, "A site");
    doc.addLink({"http://a", 1, 0, 0});
}

struct EditCase
{
    const char *name;
    void (*edit)(StratDocument &);
    // Run after the base strat, before the edit (part of what undo returns to).
    void (*setup)(StratDocument &);
};

const std::vector<EditCase> &editCases()
{
    static const std::vector<EditCase> cases = {
        {"Place Object", [](StratDocument &d) { d.placeObject(12, 7000, 7000); }, {}},
        {"Move Object", [](StratDocument &d) { d.moveObject(1, 1500, 1700); }, {}},
        {"Remove Object", [](StratDocument &d) { d.removeObject(1); }, {}},
        {"Insert Text", [](StratDocument &d) { d.insertText(10, 20, "B"); }, {}},
        {"Edit Text", [](StratDocument &d) { d.editText(1, "Other"); }, {}},
        {"Move Text", [](StratDocument &d) { d.moveText(1, 900, 950); }, {}},
        {"Remove Text", [](StratDocument &d) { d.removeText(1); }, {}},
        {"Add Way Point", [](StratDocument &d) { d.addWayPoint(2, 6000, 6000, 5, 20); }, {}},
        {"Add Way Point",
         [](StratDocument &d) { d.addWayPoint(3, 200, 200, 0, 8); }, // the first of a new movement
         [](StratDocument &d) {
             d.placeObject(3, 100, 100);
         }},
        {"Move Way Point", [](StratDocument &d) { d.moveWayPoint(3, 3100, 2500); }, {}},
        {"Edit Way Point", [](StratDocument &d) { d.editWayPoint(2, 45, 20); }, {}},
        {"Remove Movement", [](StratDocument &d) { d.cutPath(1, 1); }, {}},
        {"Line Color", [](StratDocument &d) { d.setLineColor(1, 0x000000FF); }, {}},
        {"Add Link",
         [](StratDocument &d) {
             d.addLink({"x", 0, 1, 2});
         },
         {}},
        {"Edit Link", [](StratDocument &d) { d.setLinkTarget(1, "http://b"); }, {}},
        {"Remove Link", [](StratDocument &d) { d.clearLink(1); }, {}},
        {"Rename Strat", [](StratDocument &d) { d.rename("Bravo rush"); }, {}},
        {"Change Overview", [](StratDocument &d) { d.setOverview("dust.png"); }, {}},
    };
    return cases;
}

} // namespace

TEST(StratDocument, EveryEditUndoneAndRedoneRestoresTheBytes)
{
    for (const EditCase &c : editCases()) {
        SCOPED_TRACE(c.name);
        StratDocument doc;
        buildBase(doc);
        if (c.setup)
            c.setup(doc);
        c.edit(doc);
        ASSERT_TRUE(doc.canUndo());
        EXPECT_EQ(doc.undoStack().undoText(), QString::fromLatin1(c.name));
        const QByteArray after = bytesOf(doc);
        const StratEditState afterState = doc.state();

        doc.undo();
        StratDocument base;
        buildBase(base);
        if (c.setup)
            c.setup(base);
        EXPECT_NE(bytesOf(doc), after);
        EXPECT_EQ(bytesOf(doc), bytesOf(base));
        EXPECT_EQ(doc.MarkerCount(), base.MarkerCount());

        doc.redo();
        EXPECT_EQ(bytesOf(doc), after);
        EXPECT_EQ(doc.state().markers, afterState.markers);
    }
}

TEST(StratDocument, UndoingARemovedObjectBringsBackItsPathWithTheSameNumbers)
{
    StratDocument doc;
    buildBase(doc);
    doc.setLineColor(1, 0x0000FF00);
    const StratEditState before = doc.state();
    std::vector<int> movements;
    QObject::connect(&doc, &StratDocument::movementChanged, [&](int m) { movements.push_back(m); });

    // As the menu does it: the object, then its link, as one step.
    doc.beginMacro("Remove Object");
    doc.removeObject(1);
    doc.clearLink(1);
    doc.endMacro();
    EXPECT_FALSE(doc.isMarkerShown(1));
    EXPECT_FALSE(doc.isMarkerShown(3));
    EXPECT_TRUE(doc.isMarkerShown(2));
    EXPECT_EQ(doc.movementOf(1), -1);
    EXPECT_EQ(doc.strat().Links[1], StratLink());
    EXPECT_EQ(movements, std::vector<int>{1});

    doc.undo();
    EXPECT_EQ(doc.state().strat, before.strat);
    EXPECT_EQ(doc.state().markers, before.markers);
    EXPECT_EQ(doc.movementOf(1), 1);
    EXPECT_EQ(doc.strat().LineColors[1], 0x0000FF00u);
    EXPECT_EQ(doc.MarkerPoint(3), 2);
    EXPECT_EQ(doc.strat().Links[1].Target, "http://a");
}

TEST(StratDocument, EditsAfterUndoDropTheRedoBranchAndMatchAStratBuiltWithoutThem)
{
    StratDocument doc;
    buildBase(doc);
    doc.moveObject(2, 4100, 1100);
    doc.removeText(1);
    doc.addWayPoint(2, 100, 100, 0, 3);
    doc.undo();
    doc.undo();
    EXPECT_TRUE(doc.canRedo());
    doc.setLineColor(2, 0x00123456);
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(doc.undoStack().undoText(), "Line Color");

    StratDocument direct;
    buildBase(direct);
    direct.moveObject(2, 4100, 1100);
    direct.setLineColor(2, 0x00123456);
    EXPECT_EQ(bytesOf(doc), bytesOf(direct));
    EXPECT_EQ(doc.state().markers, direct.state().markers);
}

TEST(StratDocument, ChangesThatChangeNothingMakeNoUndoStep)
{
    StratDocument doc;
    buildBase(doc);
    const int steps = doc.undoStack().count();
    doc.moveObject(1, 1000, 1000);         // where it is
    doc.setLineColor(1, kButtonFaceColor); // the colour it has
    doc.removeObject(9);                   // no such object
    doc.cutPath(2, 1);                     // marker 2 belongs to movement 2
    doc.addWayPoint(9, 1, 1, 0, 3);        // no such object
    doc.beginMacro("Remove Object");
    doc.removeObject(9);
    doc.endMacro();
    EXPECT_EQ(doc.undoStack().count(), steps);
}

TEST(StratDocument, LoadingStartsACleanStackAndNumbersMarkersInReadingOrder)
{
    StratDocument built;
    buildBase(built);
    StratDocument doc;
    doc.placeObject(1, 1, 1);
    int resets = 0;
    QObject::connect(&doc, &StratDocument::reset, [&] { ++resets; });
    doc.load(built.strat());
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(bytesOf(doc), bytesOf(built));
    // Read movement by movement: 1, 1, then 2.
    EXPECT_EQ(doc.MarkerCount(), 3);
    EXPECT_EQ(doc.marker(2).movement, 1);
    EXPECT_EQ(doc.MarkerPoint(2), 2);
    EXPECT_EQ(doc.marker(3).movement, 2);
    EXPECT_EQ(doc.movementOf(2), 2);
}

TEST(StratDocument, SuspendedUndoDoesNothing)
{
    StratDocument doc;
    doc.placeObject(0, 10, 10);
    doc.setUndoSuspended(true);
    EXPECT_FALSE(doc.canUndo());
    doc.undo();
    EXPECT_EQ(doc.strat().Objects.count(), 1);
    doc.setUndoSuspended(false);
    doc.undo();
    EXPECT_EQ(doc.strat().Objects.count(), 0);
    EXPECT_FALSE(doc.strat().Objects.hasStorage());
}

// A full 16-bit list refuses the edit instead of overflowing its count.
TEST(StratDocument, FullListsRefuseTheEdit)
{
    Strat full;
    full.Objects.resize(INT16_MAX);
    full.Objects[1] = {0, 10, 10};
    full.Texts.resize(INT16_MAX);
    full.Links.resize(INT16_MAX);
    StratMovement movement;
    movement.ObjectIndex = 1;
    movement.PointCount = INT16_MAX;
    movement.Points.resize(size_t(INT16_MAX) + 1);
    full.Movements.append(movement);
    full.LineColors.append(kButtonFaceColor);
    StratDocument doc;
    doc.load(full);
    EXPECT_EQ(doc.placeObject(0, 1, 1), 0);
    EXPECT_EQ(doc.insertText(1, 1, "x"), 0);
    EXPECT_EQ(doc.addLink({}), 0);
    EXPECT_EQ(doc.addWayPoint(1, 1, 1, 0, 3), 0) << "the movement holds 32767 points";
    EXPECT_FALSE(doc.canUndo());
}

TEST(StratDocument, EveryDrawingEditIsOneStepThatUndoesAndRedoes)
{
    const Drawing pen{DrawingKind::Pen, {{0, 0}, {40, 10}, {90, 60}}, 0x00FF00, kThinWidth};
    const Drawing zone{DrawingKind::Ellipse, {{100, 100}, {900, 600}}, 0x0000FF, 30, true, 300};
    struct Case
    {
        const char *name;
        void (*edit)(StratDocument &, const Drawing &);
    };
    const Case cases[] = {
        {"Add Drawing",
         [](StratDocument &d, const Drawing &z) {
             d.addDrawing(z);
         }},
        {"Change Drawing",
         [](StratDocument &d, const Drawing &z) {
             d.changeDrawing(0, z);
         }},
        {"Remove Drawing",
         [](StratDocument &d, const Drawing &) {
             d.removeDrawing(0);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StratDocument doc;
        buildBase(doc);
        doc.addDrawing(pen);
        doc.addDrawing(pen);
        const Strat before = doc.strat();
        int changes = 0;
        QObject::connect(&doc, &StratDocument::drawingsChanged, [&] { ++changes; });

        c.edit(doc, zone);
        EXPECT_EQ(doc.undoStack().undoText(), QString::fromLatin1(c.name));
        const Strat after = doc.strat();
        EXPECT_NE(after, before);
        doc.undo();
        EXPECT_EQ(doc.strat(), before);
        doc.redo();
        EXPECT_EQ(doc.strat(), after);
        EXPECT_EQ(changes, 3);
    }

    // Out of range or the same drawing: no step.
    StratDocument doc;
    doc.addDrawing(pen);
    const int steps = doc.undoStack().count();
    doc.changeDrawing(0, pen);
    doc.changeDrawing(1, zone);
    doc.removeDrawing(-1);
    doc.removeDrawing(1);
    EXPECT_EQ(doc.undoStack().count(), steps);
}
