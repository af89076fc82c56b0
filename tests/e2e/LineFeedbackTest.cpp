// What a guide line's drag leaves on the screen, as a user sees it: however the drag ends
// (Esc after its tooltip has moved off the line, a key that moves the ruler), the screen
// shows what the windows paint and the line stands where it stood.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area, bars 40 thick
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kCyan = RGB(0, 255, 255);

POINT At(int x, int y)
{
    return {kRuler.left + x, kRuler.top + y};
}

bool ShowsAt(POINT p, COLORREF colour)
{
    return WaitForPixel(p.x, p.y, colour);
}

// The inner area's columns 130 to 250 pixel for pixel as in `before`, where the tooltip (if it
// shows) does not cover them; else `differs` names the first screen pixel that does not.
bool SweptAsBefore(const ScreenShot& before, const RulerSession& ruler, std::string& differs)
{
    const ScreenShot now(At(130, 40).x, At(130, 40).y, 120, 220);
    RECT tip = {};
    if (HWND shown = WindowOfProcess(ruler.ProcessId(), L"tooltips_class32")) tip = WindowRectOf(shown);
    for (int y = At(0, 40).y; y < At(0, 260).y; ++y) {
        for (int x = At(130, 0).x; x < At(250, 0).x; ++x) {
            if (PtInRect(&tip, {x, y}) || now.At(x, y) == before.At(x, y)) continue;
            differs = std::to_string(x) + ", " + std::to_string(y) + ": " + Hex(now.At(x, y)) + " for " +
                      Hex(before.At(x, y));
            return false;
        }
    }
    return true;
}

class LineFeedback : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override
    {
        UserInput::ReleaseAll();
        MensuroRegistry().Clear();
    }
};

} // namespace

TEST_F(LineFeedback, EscAfterTheTooltipMovedOnAndAMoveKeyLeaveOnlyWhatTheWindowsPaint)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // X line 100, its band in the inner area the one part of the ruler there.
    UserInput::DoubleClick(At(140, 270).x, At(140, 270).y);
    ASSERT_TRUE(ShowsAt(At(140, 150), kCyan));
    const ScreenShot before(At(130, 40).x, At(130, 40).y, 120, 220);

    // Pressed on the line on the top bar and held until the tooltip shows, just below the
    // pointer and over the line; then the line moves on along the bar, and the tooltip with it.
    UserInput::Press(At(140, 30).x, At(140, 30).y);
    UserInput::MoveTo(At(141, 30).x, At(141, 30).y);
    ASSERT_TRUE(PumpUntil([&] { return WindowOfProcess(ruler.ProcessId(), L"tooltips_class32") != nullptr; }, 5000));
    UserInput::MoveTo(At(190, 30).x, At(190, 30).y);
    UserInput::MoveTo(At(240, 30).x, At(240, 30).y);
    ASSERT_TRUE(ShowsAt(At(240, 150), kBackdrop ^ 0x00FFFFFF)) << "the drag is on";
    UserInput::Key(VK_ESCAPE);
    std::string differs;
    EXPECT_TRUE(PumpUntil([&] { return SweptAsBefore(before, ruler, differs); }))
        << "nothing of the drag is left where the tooltip stood or the line went; " << differs;
    UserInput::Release(At(240, 30).x, At(240, 30).y);

    // Alt+Right during a drag: the line goes back first, then the ruler moves a pixel with it.
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == ruler.Window(); }));
    UserInput::Press(At(140, 30).x, At(140, 30).y);
    UserInput::MoveTo(At(190, 30).x, At(190, 30).y);
    UserInput::MoveTo(At(240, 30).x, At(240, 30).y);
    ASSERT_TRUE(ShowsAt(At(240, 150), kBackdrop ^ 0x00FFFFFF));
    UserInput::KeyDown(VK_MENU);
    UserInput::Key(VK_RIGHT);
    UserInput::KeyUp(VK_MENU);
    EXPECT_TRUE(PumpUntil([&] { return ruler.Rect().left == kRuler.left + 1; }));
    EXPECT_TRUE(ShowsAt(At(141, 150), kCyan)) << "the line is back, moved with the ruler";
    EXPECT_TRUE(ShowsAt(At(240, 150), kBackdrop)) << "no band left where the drag was";
    UserInput::Release(At(240, 30).x, At(240, 30).y);
    EXPECT_TRUE(ShowsAt(At(141, 150), kCyan)) << "the release drops nothing";
}
