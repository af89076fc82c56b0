// The loupe, as a user meets it: its readout and image over a window of a known colour,
// its keys and menu command, and what Exit keeps of it.
#include "resources/resource.h"
#include "e2e/ClipboardProbe.h"
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr RECT kRuler = {100, 100, 500, 400}; // inner area from (140, 140), S = 40
constexpr COLORREF kGreen = RGB(0, 192, 0), kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);
constexpr COLORREF kFrozenStrip = RGB(24, 40, 96);             // the readout's strip while frozen
constexpr int kImageSide = 170, kImageCentre = kImageSide / 2; // at 96 DPI

// Screen point of a point in ruler coordinates (the scale bars' numbers).
POINT Inner(int x, int y)
{
    return {kRuler.left + 40 + x, kRuler.top + 40 + y};
}

HWND LoupeOf(const RulerSession& ruler)
{
    return WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe");
}

HWND WaitForLoupe(const RulerSession& ruler)
{
    HWND loupe = nullptr;
    PumpUntil([&] { return (loupe = LoupeOf(ruler)) != nullptr; });
    return loupe;
}

bool WaitForText(HWND loupe, const std::wstring& text)
{
    return PumpUntil([&] { return TextOf(loupe) == text; });
}

// Whether the loupe shows its image at this zoom (within 10 s, wherever it moves meanwhile):
// the white ring around the centre pixel's cell, zoom pixels wide, stands this far from the
// image's centre.
bool ShowsZoom(HWND loupe, int zoom)
{
    return PumpUntil(
        [&] {
            const RECT r = WindowRectOf(loupe);
            const int cell = r.left + (kImageSide - zoom) / 2, row = r.top + kImageCentre;
            return ScreenPixel(cell - 1, row) == kWhite && ScreenPixel(cell + zoom, row) == kWhite;
        },
        10000);
}

// Whether the readout's strip shows the frozen colour (a pixel clear of its text).
bool ShowsFrozen(HWND loupe)
{
    return PumpUntil(
        [&] { return ScreenPixel(WindowRectOf(loupe).left + 2, WindowRectOf(loupe).bottom - 2) == kFrozenStrip; },
        10000);
}

void CtrlC()
{
    UserInput::KeyDown(VK_CONTROL);
    UserInput::Key('C');
    UserInput::KeyUp(VK_CONTROL);
}

class Loupe : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(Loupe, ReadsPositionAndColourUnderThePointerFreezesAndCopies)
{
    // Shown before the ruler, which then stays above them (see platform notes); clicked through.
    SolidWindow backdrop({50, 50, 700, 600}, kGreen);
    SolidWindow patch({Inner(250, 180).x, Inner(250, 180).y, Inner(300, 210).x, Inner(300, 210).y}, kRed);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::Click(kRuler.left + 200, kRuler.top + 20); // the ruler takes the keys
    const POINT at = Inner(160, 120);
    UserInput::MoveTo(at.x, at.y);
    UserInput::Key('L');
    HWND loupe = WaitForLoupe(ruler);
    ASSERT_NE(nullptr, loupe);

    EXPECT_TRUE(WaitForText(loupe, L"X 160  Y 120  #00C000  (0, 192, 0)")) << TextOf(loupe).c_str();
    const RECT placed = WindowRectOf(loupe);
    EXPECT_EQ(at.x + 24, placed.left);
    EXPECT_EQ(at.y + 24, placed.top);
    EXPECT_TRUE(WaitForPixel(placed.left + kImageCentre, placed.top + kImageCentre, kGreen));
    // Left of and above the inner area the numbers are negative; the loupe follows each pixel step.
    const POINT onBar = Inner(-3, 20);
    UserInput::MoveTo(onBar.x, onBar.y);
    UserInput::Key(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(loupe).rfind(L"X -4  Y 20  #", 0) == 0; })) << TextOf(loupe).c_str();

    // Over the red patch, then frozen: the readout and the window stay while the pointer goes on.
    const POINT onRed = Inner(260, 190);
    UserInput::MoveTo(onRed.x, onRed.y);
    ASSERT_TRUE(WaitForText(loupe, L"X 260  Y 190  #FF0000  (255, 0, 0)")) << TextOf(loupe).c_str();
    EXPECT_TRUE(WaitForPixel(WindowRectOf(loupe).left + kImageCentre, WindowRectOf(loupe).top + kImageCentre, kRed));
    UserInput::Key(VK_SPACE);
    ASSERT_TRUE(ShowsFrozen(loupe));
    const RECT frozen = WindowRectOf(loupe);
    UserInput::MoveTo(at.x, at.y);
    // Clicks pass through the loupe to the window below it.
    const POINT onLoupe = {frozen.left + 60, kRuler.bottom + 20};
    UserInput::Click(onLoupe.x, onLoupe.y);
    EXPECT_TRUE(PumpUntil([&] { return backdrop.WasPressedAt(onLoupe.x, onLoupe.y); }));

    // Ctrl+C copies the frozen colour as text, which shows that the loupe stayed frozen while
    // the pointer went on; unfrozen, the loupe follows again (the pointer is on the top bar now).
    UserInput::Click(Inner(160, -20).x, Inner(160, -20).y);
    CtrlC();
    EXPECT_TRUE(PumpUntil([] { return ClipboardText() == L"#FF0000"; })) << ClipboardText().c_str();
    EXPECT_EQ(L"X 260  Y 190  #FF0000  (255, 0, 0)", TextOf(loupe));
    const RECT stayed = WindowRectOf(loupe);
    EXPECT_TRUE(EqualRect(&frozen, &stayed));
    UserInput::Key(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(loupe).rfind(L"X 160  Y -20  #", 0) == 0; })) << TextOf(loupe).c_str();

    // With the loupe off, Ctrl+C is "Copy": a picture of the inner area.
    UserInput::Key('L');
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(loupe); }));
    const DWORD before = GetClipboardSequenceNumber();
    CtrlC();
    EXPECT_TRUE(
        PumpUntil([&] { return GetClipboardSequenceNumber() != before && IsClipboardFormatAvailable(CF_DIB); }));
    EXPECT_EQ(0u, ruler.Exit());
}

TEST_F(Loupe, MenuAndKeyToggleItZoomStepsAndExitKeepsBoth)
{
    SolidWindow backdrop({50, 50, 700, 600}, kGreen);
    {
        RulerSession ruler;
        ASSERT_TRUE(ruler.Started());
        HWND menu = OpenContextMenu(ruler, kRuler.left + 200, kRuler.top + 20);
        ASSERT_NE(nullptr, menu);
        ASSERT_TRUE(ChooseMenuCommand(menu, ID_LOUPE));
        HWND loupe = WaitForLoupe(ruler);
        ASSERT_NE(nullptr, loupe);
        UserInput::Key('L');
        EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(loupe); }));
        UserInput::Key('L');
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(loupe) != FALSE; }));
        // Over the green window, where the ring around the centre shows: 8 -> 16 -> 32 -> 32
        // (the last step) -> 16.
        UserInput::MoveTo(Inner(160, 120).x, Inner(160, 120).y);
        ASSERT_TRUE(ShowsZoom(loupe, 8));
        UserInput::Key(VK_ADD);
        EXPECT_TRUE(ShowsZoom(loupe, 16));
        UserInput::Key(VK_OEM_PLUS);
        EXPECT_TRUE(ShowsZoom(loupe, 32));
        UserInput::Key(VK_ADD);
        UserInput::Key(VK_OEM_MINUS);
        EXPECT_TRUE(ShowsZoom(loupe, 16));
        EXPECT_EQ(0u, ruler.Exit());
    }
    const RegistryScope reg = MensuroRegistry();
    EXPECT_EQ(16u, reg.Dword(kSection, "LoupeZoom").value_or(0));
    EXPECT_EQ(0x1000u, reg.Dword(kSection, "Option").value_or(0) & 0x1000u);

    // The next start shows it again, at the saved zoom; VK_SUBTRACT steps down from there.
    RulerSession again;
    ASSERT_TRUE(again.Started());
    HWND loupe = WaitForLoupe(again);
    ASSERT_NE(nullptr, loupe);
    UserInput::Click(kRuler.left + 200, kRuler.top + 20);
    UserInput::MoveTo(Inner(160, 120).x, Inner(160, 120).y);
    EXPECT_TRUE(ShowsZoom(loupe, 16));
    UserInput::Key(VK_SUBTRACT);
    EXPECT_TRUE(ShowsZoom(loupe, 8));
    EXPECT_EQ(0u, again.Exit());
    EXPECT_EQ(8u, reg.Dword(kSection, "LoupeZoom").value_or(0));
}
