// However a guide line's drag ends (Esc after its tooltip has moved on, a key that moves the
// ruler), the screen shows what the windows paint and the line stands where it stood.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

namespace {

constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area, bars 40 thick
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kCyan = RGB(0, 255, 255);

POINT At(int x, int y)
{
    return {kRuler.left + x, kRuler.top + y};
}

struct LineFeedback : testing::Test {
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { UserInput::ReleaseAll(), MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(LineFeedback, EscAfterTheTooltipMovedOnAndAMoveKeyLeaveOnlyWhatTheWindowsPaint)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::DoubleClick(At(140, 270).x, At(140, 270).y); // X line 100
    ASSERT_TRUE(WaitForPixel(At(140, 150).x, At(140, 150).y, kCyan));
    // The inner area's columns 130 to 250 as they were, but where the tooltip shows.
    const ScreenShot before(At(130, 40).x, At(130, 40).y, 120, 220);
    const auto sweptAsBefore = [&] {
        const ScreenShot now(At(130, 40).x, At(130, 40).y, 120, 220);
        RECT tip = {};
        if (HWND shown = WindowOfProcess(ruler.ProcessId(), L"tooltips_class32")) tip = WindowRectOf(shown);
        for (int y = At(0, 40).y; y < At(0, 260).y; ++y)
            for (int x = At(130, 0).x; x < At(250, 0).x; ++x)
                if (!PtInRect(&tip, {x, y}) && now.At(x, y) != before.At(x, y)) return false;
        return true;
    };
    for (bool esc : {true, false}) {
        // Pressed on the line on the top bar; the tooltip shows below the pointer, over the
        // line, and moves on with the drag.
        UserInput::Press(At(140, 30).x, At(140, 30).y);
        UserInput::MoveTo(At(141, 30).x, At(141, 30).y);
        ASSERT_TRUE(PumpUntil([&] { return WindowOfProcess(ruler.ProcessId(), L"tooltips_class32"); }, 5000));
        UserInput::MoveTo(At(240, 30).x, At(240, 30).y);
        ASSERT_TRUE(WaitForPixel(At(240, 150).x, At(240, 150).y, kBackdrop ^ 0xFFFFFF)) << "the drag is on";
        if (esc) {
            UserInput::Key(VK_ESCAPE);
            EXPECT_TRUE(PumpUntil(sweptAsBefore)) << "a stripe of the drag is left";
        } else {
            // The line goes back first, then the ruler moves a pixel with it.
            UserInput::KeyDown(VK_MENU), UserInput::Key(VK_RIGHT), UserInput::KeyUp(VK_MENU);
            EXPECT_TRUE(PumpUntil([&] { return ruler.Rect().left == kRuler.left + 1; }));
            EXPECT_TRUE(WaitForPixel(At(240, 150).x, At(240, 150).y, kBackdrop)) << "a band is left";
        }
        UserInput::Release(At(240, 30).x, At(240, 30).y);
    }
    EXPECT_TRUE(WaitForPixel(At(141, 150).x, At(141, 150).y, kCyan)) << "the line is back, moved with the ruler";
}
