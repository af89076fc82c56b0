// "Lines at Edges" against a stand-in ruler: its pick is a mouse mode of the ruler's that
// nobody can leave hanging.
#include "measure/EdgeTool.h"
#include "resources/resource.h"
#include "ruler/RulerTimers.h"
#include "support/FakeRulerHost.h"

#include <gtest/gtest.h>

TEST(EdgeTool, APickIsARulerModeThatEndsByItselfWhenNobodyFinishesIt)
{
    FakeRulerHost host(600, 400);
    CEdgeTool edges(host);
    EXPECT_TRUE(edges.OnCommand(ID_LINES_AT_EDGES));
    ASSERT_TRUE(host.InMouseMode());
    EXPECT_TRUE(edges.Picking());
    EXPECT_EQ(30000u, host.timers[TimerEdgePick]);

    EXPECT_TRUE(edges.OnCommand(ID_LINES_AT_EDGES)) << "a second pick while one runs";
    EXPECT_TRUE(edges.Picking());

    edges.OnTimer(TimerEdgePick);
    EXPECT_FALSE(host.InMouseMode());
    EXPECT_FALSE(edges.Picking());
    EXPECT_EQ(0u, host.timers.count(TimerEdgePick)) << "its timer goes with it";

    // Another mode holds the mouse: no pick starts under it.
    struct OtherMode : MouseMode {
        WPARAM Button() const override { return MK_LBUTTON; }
        void OnModeEnd(ModeExit, POINT, bool) override {}
    } other;
    host.StartMouseMode(other, {0, 0});
    edges.OnCommand(ID_LINES_AT_EDGES);
    EXPECT_FALSE(edges.Picking());
}
