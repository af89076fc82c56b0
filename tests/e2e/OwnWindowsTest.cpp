// Nothing of the ruler's own (its tooltip, the loupe) is ever in a picture, a scan or a snap.
#include "e2e/ClipboardProbe.h"
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr RECT kRuler = {100, 100, 500, 400}; // inner area (140, 140) - (460, 360), 320 x 220
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kPanelColour = RGB(200, 60, 40), kCyan = RGB(0, 255, 255);

POINT Inner(int x, int y)
{
    return {kRuler.left + 40 + x, kRuler.top + 40 + y};
}

HWND Visible(HWND window)
{
    return window && IsWindowVisible(window) ? window : nullptr;
}

// Pixels of a copied inner area that are neither the backdrop nor a guide line.
int ForeignPixels(const std::vector<unsigned char>& dib)
{
    const BITMAPINFOHEADER h = HeaderOf(dib);
    const size_t stride = static_cast<size_t>((h.biWidth * 3 + 3) / 4 * 4);
    int foreign = 0;
    for (int y = 0; y < h.biHeight; ++y)
        for (int x = 0; x < h.biWidth; ++x) {
            const unsigned char* p = dib.data() + sizeof(h) + static_cast<size_t>(y) * stride + 3u * x;
            const COLORREF c = RGB(p[2], p[1], p[0]);
            if (c != kBackdrop && c != kCyan) ++foreign;
        }
    return foreign;
}

std::vector<unsigned char> CopyNow(const RulerSession& ruler)
{
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(ruler.Window(), WM_COMMAND, ID_COPY, 0);
    if (!PumpUntil([&] { return GetClipboardSequenceNumber() != before; }, 5000)) return {};
    return ClipboardData(CF_DIB);
}

class OwnWindows : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
    SolidWindow m_backdrop{{50, 50, 600, 500}, kBackdrop};
};

} // namespace

TEST_F(OwnWindows, ACopyShowsNeitherTheTooltipOverALineNorTheLoupe)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::DoubleClick(Inner(100, 0).x, kRuler.top + 30);
    ASSERT_TRUE(WaitForPixel(Inner(100, 100).x, Inner(100, 100).y, kCyan));

    // The pointer rests on the line inside the inner area: its tooltip shows over the area.
    UserInput::MoveTo(Inner(101, 60).x, Inner(101, 60).y);
    UserInput::MoveTo(Inner(100, 60).x, Inner(100, 60).y);
    HWND tip = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (tip = Visible(WindowOfProcess(ruler.ProcessId(), L"tooltips_class32"))); },
                          5000));
    std::vector<unsigned char> dib = CopyNow(ruler);
    ASSERT_FALSE(dib.empty());
    EXPECT_EQ(0, ForeignPixels(dib)) << "the tooltip is in the picture";

    // The loupe beside the pointer, over the inner area.
    PostMessageW(ruler.Window(), WM_COMMAND, ID_LOUPE, 0);
    UserInput::MoveTo(Inner(20, 20).x, Inner(20, 20).y);
    HWND loupe = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (loupe = Visible(WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe"))); }));
    RECT placed = {};
    GetWindowRect(loupe, &placed);
    const RECT inner = {Inner(0, 0).x, Inner(0, 0).y, Inner(320, 220).x, Inner(320, 220).y};
    RECT overlap = {};
    ASSERT_TRUE(IntersectRect(&overlap, &placed, &inner)) << "the loupe lies over the inner area";
    dib = CopyNow(ruler);
    ASSERT_FALSE(dib.empty());
    EXPECT_EQ(0, ForeignPixels(dib)) << "the loupe is in the picture";
    EXPECT_TRUE(PumpUntil([&] { return Visible(loupe) != nullptr; })) << "the loupe is back after the copy";
}

TEST_F(OwnWindows, ADraggedLineSnapsToWhatLiesBelowNotToTheLoupesBorder)
{
    SolidWindow panel({Inner(200, 0).x, Inner(0, 0).y, Inner(320, 0).x, Inner(0, 220).y}, kPanelColour);
    MensuroRegistry().SetDword("CMensuroDlg", "Option", 0x00D | 0x1000 | 0x2000); // loupe and snapping on
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const int onTop = kRuler.top + 30;
    UserInput::DoubleClick(Inner(40, 0).x, onTop);
    ASSERT_TRUE(WaitForPixel(Inner(40, 100).x, Inner(40, 100).y, kCyan));

    // Pressed on the line, the loupe stands right of the pointer: its left border is an
    // edge on the screen that is the ruler's own.
    UserInput::MoveTo(Inner(40, 0).x, onTop);
    HWND loupe = nullptr;
    RECT placed = {};
    ASSERT_TRUE(PumpUntil([&] {
        loupe = Visible(WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe"));
        return loupe && GetWindowRect(loupe, &placed) && placed.left > Inner(40, 0).x && placed.top < Inner(0, 200).y;
    }));
    const int border = placed.left - Inner(0, 0).x; // the loupe's left column, in inner coordinates
    ASSERT_LT(border + 2, 196) << "the border lies away from the panel's edge";
    UserInput::Press(Inner(40, 0).x, onTop);
    UserInput::MoveTo(Inner(border + 2, 0).x, onTop);
    UserInput::MoveTo(Inner(border + 2, 0).x, onTop);
    UserInput::Release(Inner(border + 2, 0).x, onTop);
    EXPECT_TRUE(WaitForPixel(Inner(border + 2, 100).x, Inner(border + 2, 100).y, kCyan))
        << "the line did not stay where it was dropped, near the loupe's border (" << border << ")";
}
