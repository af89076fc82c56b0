#include "measure/MeasurePins.h"

#include <gtest/gtest.h>

namespace {

Measurement Box(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    Measurement m;
    m.kind = MeasureKind::Box;
    m.left = left, m.top = top, m.right = right, m.bottom = bottom;
    return m;
}

Measurement Drawn(MeasureKind kind, MeasurePoint from, MeasurePoint to, MeasurePoint third = {})
{
    Measurement m;
    m.kind = kind;
    m.from = from, m.to = to, m.third = third;
    return m;
}

} // namespace

TEST(MeasurePins, DeleteTakesTheLatestPinUnderThePoint)
{
    CMeasurePins pins;
    EXPECT_FALSE(pins.RemoveLast());
    pins.Add(Box(10, 10, 100, 100));                                                 // 0
    pins.Add(Box(50, 50, 60, 60));                                                   // 1, inside 0
    pins.Add(Drawn(MeasureKind::Line, {200, 200}, {300, 200}));                      // 2
    pins.Add(Drawn(MeasureKind::Angle, {400, 400}, {500, 400}, {400, 300}));         // 3
    Measurement row = Drawn(MeasureKind::Horizontal, {600, 30}, {});                 // 4: one row thin
    row.left = 580, row.right = 640, row.top = row.bottom = 30;
    pins.Add(row);

    const struct {
        MeasurePoint p;
        bool removed;
        size_t left; // pins left
    } steps[] = {
        {{305, 200}, false, 5}, // beyond the line's end by more than the reach
        {{250, 203}, true, 4},  // the line, 3 px off
        {{55, 55}, true, 3},    // both boxes: the later one goes
        {{55, 55}, true, 2},
        {{55, 55}, false, 2},
        {{402, 330}, true, 1},  // the angle's second arm
        {{610, 33}, true, 0},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(s.removed, pins.RemoveAt(s.p, 3)) << s.p.x << "," << s.p.y;
        EXPECT_EQ(s.left, pins.Items().size());
    }
    EXPECT_TRUE(pins.Empty());
}

TEST(MeasurePins, ManyPinsKeepTheirOrder)
{
    CMeasurePins pins;
    for (int32_t i = 0; i < 250; ++i) pins.Add(Box(i, 0, i + 5, 5));
    EXPECT_TRUE(pins.RemoveAt({2, 2}, 0)); // under pins 0, 1 and 2
    EXPECT_EQ(1, pins.Items()[1].left);
    EXPECT_EQ(3, pins.Items()[2].left);
    EXPECT_TRUE(pins.RemoveLast());
    EXPECT_EQ(248u, pins.Items().size());
    EXPECT_EQ(248, pins.Items().back().left);
}

TEST(MeasurePins, BoundsCoverTheDrawingAndItsLabels)
{
    EXPECT_EQ(WindowRect(7, 17, 104, 104), MeasurementBounds(Box(10, 20, 100, 100), 3));
    EXPECT_EQ(WindowRect(5, 20, 11, 41), MeasurementBounds(Drawn(MeasureKind::Line, {10, 40}, {5, 20}), 0));
    EXPECT_EQ(WindowRect(-22, -32, 13, 43),
              MeasurementBounds(Drawn(MeasureKind::Angle, {0, 0}, {10, 40}, {-20, -30}), 2));
}
