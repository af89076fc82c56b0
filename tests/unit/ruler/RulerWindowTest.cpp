// The ruler window itself, created in this process and driven directly.
#include "framework/DibSurface.h"
#include "ruler/MensuroDlg.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

namespace {

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

SIZE ClientSize(HWND window)
{
    RECT rc = {};
    GetClientRect(window, &rc);
    return {rc.right, rc.bottom};
}

// A ruler window created in this process with no stored options. It loads and saves
// them under this test program's name.
class RulerWindow : public testing::Test {
protected:
    void SetUp() override
    {
        options.Clear();
        window = ruler.Create();
        ASSERT_NE(nullptr, window);
        Pump();
    }
    void TearDown() override
    {
        if (IsWindow(window)) DestroyWindow(window);
        options.Clear();
    }

    const RegistryScope options{"SOFTWARE\\Veltrin's Applications\\mensuro_unit_tests"};
    CMensuroDlg ruler;
    HWND window = nullptr;
};

} // namespace

TEST_F(RulerWindow, KeepsItsMinimumAndSurvivesASizeTooLargeForItsSurface)
{

    SetWindowPos(window, nullptr, 0, 0, 10, 500, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(80, ClientSize(window).cx) << "never narrower than twice the bar";
    EXPECT_EQ(500, ClientSize(window).cy);

    // Far too large for a surface: the window keeps working without one.
    SetWindowPos(window, nullptr, 0, 0, 30000, 30000, SWP_NOZORDER | SWP_NOMOVE);
    Pump();
    EXPECT_EQ(nullptr, ruler.Surface().GetDC());
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer));

    SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    Pump();
    ASSERT_NE(nullptr, ruler.Surface().GetDC());
    EXPECT_GE(ruler.Surface().Width(), 400);
    EXPECT_GE(ruler.Surface().Height(), 300);

    EXPECT_EQ(WindowRect(40, 0, 360, 40), ruler.Model().bars[0].Rect) << "laid out for the new size";
    const int surfaceWidth = ruler.Surface().Width();
    SetWindowPos(window, nullptr, 0, 0, 390, 290, SWP_NOZORDER | SWP_NOMOVE);
    Pump();
    EXPECT_EQ(surfaceWidth, ruler.Surface().Width()) << "a live-resize step reuses the surface";
    EXPECT_EQ(WindowRect(40, 0, 350, 40), ruler.Model().bars[0].Rect);
    DestroyWindow(window);
    EXPECT_EQ(390u, options.Dword("CMensuroDlg", "RIGHT").value_or(0)) << "saved when the window goes";
}

TEST_F(RulerWindow, RelayoutPicksUpScaleBarsWrittenToTheRegistry)
{
    ruler.Relayout();
    EXPECT_EQ(0xFFFFFFu, ruler.Model().bars[0].Back);

    // Written the way the Settings dialog stores a bar, with the key created on the way.
    options.SetDword("ScaleBar1", "Back", 0x00FF00);
    ruler.Relayout();
    EXPECT_EQ(0x00FF00u, ruler.Model().bars[0].Back) << "the first write creates the program's key";
    ruler.Relayout(); // nothing changed: the bars keep what was read
    EXPECT_EQ(0x00FF00u, ruler.Model().bars[0].Back);
    options.SetDword("ScaleBar4", "ScaleL", 70);
    options.SetDword("ScaleBar1", "Back", 0x0000FF);
    ruler.Relayout();
    EXPECT_EQ(0x0000FFu, ruler.Model().bars[0].Back);
    EXPECT_EQ(70, ruler.Model().bars[3].ScaleL);
}

// The coordinate tip shows just below the pointer, over the ruler's bars: a click where it lies
// is the ruler's, or the tip takes it (and the activation) and the ruler never gets it.
TEST_F(RulerWindow, TheTipLetsThePointerThroughToTheRuler)
{
    SetWindowPos(window, nullptr, 100, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_NE(nullptr, ruler.ToolTip());
    SetWindowPos(ruler.ToolTip(), HWND_TOPMOST, 250, 120, 150, 20, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(ruler.ToolTip());
    Pump();
    EXPECT_EQ(window, WindowFromPoint({300, 130})) << "on the top bar, under the tip";
    EXPECT_TRUE(WaitForScreenPixel(300, 130, GetSysColor(COLOR_INFOBK))) << "and the tip still shows";
}
