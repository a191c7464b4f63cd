#include "strat/Drawing.h"

#include <gtest/gtest.h>

using namespace vantrel;

TEST(Drawing, ShowsOnlyBetweenItsCues)
{
    struct Case
    {
        int32_t from, to, frame;
        bool shows;
    };
    const Case cases[] = {
        {0, 0, 0, true},      {0, 0, 5000, true},  {300, 0, 299, false}, {300, 0, 300, true},
        {300, 0, 9999, true}, {0, 100, 100, true}, {0, 100, 101, false}, {10, 20, 9, false},
        {10, 20, 15, true},   {10, 20, 21, false},
    };
    for (const Case &c : cases) {
        Drawing d;
        d.fromFrame = c.from;
        d.toFrame = c.to;
        EXPECT_EQ(d.showsAt(c.frame), c.shows) << c.from << ".." << c.to << " at " << c.frame;
    }
}

TEST(Drawing, BoundsHoldTheStrokeAndTheArrowHead)
{
    Drawing line{DrawingKind::Line, {{1000, 200}, {100, 900}}, 0, 60};
    EXPECT_EQ(line.bounds(), QRect(QPoint(70, 170), QPoint(1030, 930)));

    Drawing arrow = line;
    arrow.kind = DrawingKind::Arrow;
    const int head = arrowHeadLength(60);
    EXPECT_GE(head, 150);
    EXPECT_EQ(arrow.bounds(),
              QRect(QPoint(100 - head, 200 - head), QPoint(1000 + head, 900 + head)));

    EXPECT_TRUE(Drawing{}.bounds().isNull());

    // Whatever a file holds, the bounds do not overflow.
    Drawing wild{DrawingKind::Arrow, {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}}, 0, INT_MAX};
    EXPECT_TRUE(wild.bounds().isValid());
}
