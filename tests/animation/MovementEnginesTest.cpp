#include "animation/MovementEngines.h"
#include "animation/MovingSprite.h"
#include "strat/StratDocument.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vantrel;

namespace {

std::vector<MovementPoint> pointsOf(const clsMovimento &e)
{
    std::vector<MovementPoint> points;
    for (int16_t j = 1; j <= e.itM; ++j)
        points.push_back(e.point(j));
    return points;
}

} // namespace

// The engines follow every edit and its undo: same points as the document,
// same owner, and an in-place edit keeps the way point the engine heads for.
TEST(MovementEngines, FollowEditsAndUndo)
{
    StratDocument doc;
    MovementEngines engines(doc, nullptr);
    doc.placeObject(0, 0, 0);
    doc.addWayPoint(1, 1000, 0, 0, 8);
    doc.addWayPoint(1, 2000, 0, 0, 8);
    ASSERT_NE(engines.engine(1), nullptr);
    clsMovimento &e = *engines.engine(1);
    EXPECT_EQ(e.iObj, 1);

    GridSprite sprite(0, 0);
    for (int i = 0; i < 400; ++i)
        e.Move(&sprite); // heads for way point 2 by now
    ASSERT_EQ(e.current(), 2);

    const struct
    {
        const char *name;
        std::function<void()> edit;
        int16_t current; // the way point the engine heads for afterwards
    } steps[] = {
        {"move", [&] { doc.moveWayPoint(2, 1500, 300); }, 2},
        {"edit", [&] { doc.editWayPoint(1, 30, 3); }, 2},
        {"cut", [&] { doc.cutPath(2, 1); }, 2},
        {"remove object", [&] { doc.removeObject(1); }, 2},
        {"add",
         [&] {
             doc.placeObject(1, 5, 5);
             doc.addWayPoint(2, 9, 9, 0, 3);
         },
         2},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        step.edit();
        EXPECT_EQ(pointsOf(e), doc.enginePoints(1));
        EXPECT_EQ(e.iObj, doc.owner(1));
        EXPECT_EQ(e.current(), step.current);
    }
    ASSERT_NE(engines.engine(2), nullptr);
    doc.undo(); // the second movement's first way point
    EXPECT_EQ(engines.engine(2), nullptr);
    while (doc.canUndo()) {
        doc.undo();
        // Undoing the first way point takes the movement and its engine back.
        const clsMovimento *engine = engines.engine(1);
        ASSERT_EQ(engine != nullptr, doc.strat().Movements.count() >= 1);
        if (engine) {
            EXPECT_EQ(pointsOf(*engine), doc.enginePoints(1));
            EXPECT_EQ(engine->iObj, doc.owner(1));
        }
    }
}
