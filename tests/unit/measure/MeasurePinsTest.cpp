#include "measure/MeasurePins.h"

#include <gtest/gtest.h>

namespace {

Measurement Make(MeasureKind kind, WindowRect inclusive, MeasurePoint from = {}, MeasurePoint to = {},
                 MeasurePoint third = {})
{
    return {kind, inclusive.left, inclusive.top, inclusive.right, inclusive.bottom, from, to, third, -1};
}

} // namespace

TEST(MeasurePins, DeleteTakesTheLatestPinUnderThePoint)
{
    CMeasurePins pins;
    EXPECT_FALSE(pins.RemoveLast());
    pins.Add(Make(MeasureKind::Box, {10, 10, 100, 100}));
    pins.Add(Make(MeasureKind::Box, {50, 50, 60, 60})); // inside the first
    pins.Add(Make(MeasureKind::Line, {}, {200, 200}, {300, 200}));
    pins.Add(Make(MeasureKind::Angle, {}, {400, 400}, {500, 400}, {400, 300}));
    pins.Add(Make(MeasureKind::Horizontal, {580, 30, 640, 30}, {600, 30})); // one row thin
    const struct {
        MeasurePoint p;
        bool removed;
    } steps[] = {
        {{305, 200}, false}, // beyond the line's end by more than the reach
        {{250, 203}, true},  {{55, 55}, true}, {{55, 55}, true}, {{55, 55}, false},
        {{402, 330}, true}, // the angle's second arm
        {{610, 33}, true},
    };
    for (const auto& s : steps) EXPECT_EQ(s.removed, pins.RemoveAt(s.p, 3)) << s.p.x << "," << s.p.y;
    EXPECT_TRUE(pins.Empty());

    for (int32_t i = 0; i < 250; ++i) pins.Add(Make(MeasureKind::Box, {i, 0, i + 5, 5}));
    EXPECT_TRUE(pins.RemoveAt({2, 2}, 0)); // under pins 0, 1 and 2
    EXPECT_TRUE(pins.Items()[1].left == 1 && pins.Items()[2].left == 3);
    EXPECT_TRUE(pins.RemoveLast());
    EXPECT_TRUE(pins.Items().size() == 248 && pins.Items().back().left == 248);
}

TEST(MeasurePins, BoundsCoverTheDrawingAndItsLabels)
{
    EXPECT_EQ(WindowRect(7, 17, 104, 104), MeasurementBounds(Make(MeasureKind::Box, {10, 20, 100, 100}), 3));
    EXPECT_EQ(WindowRect(-22, -32, 13, 43),
              MeasurementBounds(Make(MeasureKind::Angle, {}, {0, 0}, {10, 40}, {-20, -30}), 2));
}
