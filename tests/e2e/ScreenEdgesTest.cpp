// A ruler that stands partly off the screen reads what lies on it.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

namespace {

// On the 1280 x 1024 test screen the inner area (1040, 840) - (1360, 1060) passes its right
// and bottom edges; the panel lies on its visible part.
constexpr RECT kRuler = {1000, 800, 1400, 1100};
constexpr RECT kPanel = {1100, 900, 1200, 980};
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kPanelColour = RGB(200, 60, 40), kCyan = RGB(0, 255, 255);

} // namespace

TEST(ScreenEdges, LinesAtEdgesOfARulerPartlyOffTheScreenFindThePanelAndNothingAtTheScreensEdge)
{
    StartAfreshAt(kRuler);
    SolidWindow backdrop({900, 700, 1280, 1024}, kBackdrop);
    SolidWindow panel(kPanel, kPanelColour);
    {
        RulerSession ruler;
        ASSERT_TRUE(ruler.Started());
        ASSERT_TRUE(WaitForPixel(1150, 940, kPanelColour));
        UserInput::Click(1150, kRuler.top + 30); // the ruler takes the keys
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == ruler.Window(); }));
        UserInput::MoveTo(1150, 940);
        UserInput::Key('E');
        EXPECT_TRUE(WaitForPixel(kPanel.left, 960, kCyan)) << "no line on the panel's left edge";
        EXPECT_TRUE(WaitForPixel(kPanel.right, 960, kCyan)) << "no line just past its right edge";
        EXPECT_TRUE(WaitForPixel(1120, kPanel.top, kCyan));
        EXPECT_TRUE(WaitForPixel(1120, kPanel.bottom, kCyan));
        EXPECT_EQ(Hex(kBackdrop), Hex(ScreenPixel(1270, 960))) << "a line where the screen ends";
        EXPECT_EQ(Hex(kBackdrop), Hex(ScreenPixel(1060, 1020)));
    }
    MensuroRegistry().Clear();
}
