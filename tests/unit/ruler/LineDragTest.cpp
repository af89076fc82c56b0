// A guide line's drag against a stand-in ruler: the feedback on the screen, the one
// change of the model at the drop, and a cancel that leaves everything as it was.
#include "ruler/CoordinateTip.h"
#include "ruler/LineDrag.h"
#include "support/FakeRulerHost.h"

#include <gtest/gtest.h>

namespace {

// A feature that snaps every line to 77 and counts the drags it was told of.
class SnapTo77 : public RulerTool {
public:
    int starts = 0, ends = 0;
    void OnLineDrag(bool, bool starting) override { ++(starting ? starts : ends); }
    int32_t SnapLine(bool, int32_t, bool) override { return 77; }
};

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

class LineDrag : public testing::Test {
protected:
    void SetUp() override
    {
        host.model.options.LineSize = 1;
        host.model.lines.ReplaceAll({100, 200}, {});
    }
    // The screen column of inner-area x, half-way down the inner area.
    COLORREF InnerPixel(int32_t x) const
    {
        const RECT inner = host.InnerScreenRect();
        return ScreenPixel(inner.left + x, (inner.top + inner.bottom) / 2);
    }

    FakeRulerHost host{600, 400};
    SnapTo77 snap;
    RulerTools tools{&snap};
    CCoordinateTip tip;
    CLineDrag drag{host, tools, tip};
};

} // namespace

TEST_F(LineDrag, ADropMovesTheLineOnceWhereTheFeaturesSnapIt)
{
    drag.Begin(true, 1, {240, 20});
    drag.OnModeMove({250, 20}, false);
    EXPECT_EQ(0, host.relayouts) << "a move only inverts the line's places on the screen";
    drag.OnModeEnd(ModeExit::Drop, {260, 20}, false);
    EXPECT_EQ((std::vector<int32_t>{100, 77}), host.model.lines.X());
    EXPECT_EQ(1, host.relayouts);
    EXPECT_EQ(1, snap.starts);
    EXPECT_EQ(1, snap.ends);
}

TEST_F(LineDrag, ACancelledDragLeavesTheLineAndTheScreenAsTheyWereThoughSnappingIsOn)
{
    for (ModeExit exit : {ModeExit::Cancel, ModeExit::CaptureLost}) {
        const COLORREF atLine = InnerPixel(100), atSnap = InnerPixel(77);
        drag.Begin(true, 0, {140, 20});
        drag.OnModeMove({180, 20}, false);
        EXPECT_NE(atSnap, InnerPixel(77)) << "the moving line shows inverted";
        drag.OnModeEnd(exit, {180, 20}, false);
        // The windows below paint what the drag swept in their own time; on a busy machine that
        // can land on the next drag's inverted line, so they have painted before it starts.
        RedrawWindow(GetDesktopWindow(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_EQ((std::vector<int32_t>{100, 200}), host.model.lines.X());
        EXPECT_EQ(atLine, InnerPixel(100)) << "no band left where the line was";
        EXPECT_EQ(atSnap, InnerPixel(77)) << "no band left where it went";
    }
    EXPECT_EQ(0, host.relayouts);
    EXPECT_EQ(2, snap.ends) << "what a feature took for the drag goes with it";
}
