// The Measure mode through the real menu, keys and mouse: a panel of known size measured,
// pinned and copied as a table; the global key from another program, which gets the
// keyboard back.
#include "resources/resource.h"
#include "e2e/ClipboardProbe.h"
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

namespace {

constexpr RECT kRuler = {700, 450, 1100, 750};
constexpr RECT kPanel = {200, 200, 400, 300}; // 200 x 100
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kPanelColour = RGB(200, 60, 40);

// Every overlay of the mode, shown or not.
HWND OverlayWindow()
{
    return FindWindowW(L"MensuroMeasure", nullptr);
}

bool OwnedBy(HWND window, DWORD pid)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return window && owner == pid;
}

class Measure : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
    SolidWindow m_backdrop{{50, 50, 650, 450}, kBackdrop, true};
    SolidWindow m_panel{kPanel, kPanelColour};
};

} // namespace

TEST_F(Measure, ASpanALineAndAShrunkBoxArePinnedAndCopiedAsATableAndEscLeavesNothing)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(WaitForPixel(300, 250, kPanelColour));
    HWND menu = OpenContextMenu(ruler, kRuler.left + 200, kRuler.top + 20);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_MEASURE));
    ASSERT_TRUE(PumpUntil([] { return OverlayWindow() != nullptr; }));
    EXPECT_SOON_EQ(true, OwnedBy(GetForegroundWindow(), ruler.ProcessId())) << "the overlay has the keyboard";

    // The span follows the pointer, drawn live (its right half on the panel's row), before the click pins it.
    UserInput::MoveTo(260, 230);
    ASSERT_TRUE(WaitForPixel(390, 230, RGB(255, 0, 160)));
    UserInput::Click(260, 230);
    UserInput::Key('5');
    UserInput::Drag(100, 380, 140, 350);
    UserInput::Key('4');
    UserInput::Drag(170, 180, 430, 330); // loosely around the panel
    UserInput::KeysDown({VK_CONTROL, VK_SHIFT, 'C'});
    for (WORD key : {WORD{'C'}, WORD{VK_SHIFT}, WORD{VK_CONTROL}}) UserInput::KeyUp(key);
    const auto table = [] {
        if (!OpenClipboardSoon(nullptr)) return std::wstring();
        const std::wstring text = ClipboardText();
        CloseClipboard();
        return text;
    };
    EXPECT_SOON_EQ(std::wstring(L"Kind\tX (px)\tY (px)\tWidth (px)\tHeight (px)\tLength (px)\tAngle (\u00B0)\r\n"
                                L"Spacing\t200\t200\t200\t100\t\t\r\n"
                                L"Line\t100\t380\t40\t30\t50.0\t36.9\r\n"
                                L"Box\t200\t200\t200\t100\t\t\r\n"),
                   table());

    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([] { return OverlayWindow() == nullptr; })) << "no overlay left, shown or hidden";
    EXPECT_SOON_EQ(ruler.Window(), GetForegroundWindow()) << "started from the ruler: the ruler is active again";
    EXPECT_TRUE(ruler.Running());
}

TEST_F(Measure, TheGlobalKeyStartsItOverAnotherProgramWhichIsActiveAgainAfterEsc)
{
    if (!RulerSession::CanStartInLocale()) GTEST_SKIP() << "keys through the X server need Wine";
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::Click(100, 100);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == m_backdrop.Handle(); }));

    UserInput::KeysDown({VK_LWIN, VK_MENU, 'X'});
    const bool started = PumpUntil([] { return OverlayWindow() != nullptr; });
    for (WORD key : {WORD{'X'}, WORD{VK_MENU}, WORD{VK_LWIN}}) UserInput::KeyUp(key);
    ASSERT_TRUE(started);
    EXPECT_SOON_EQ(true, OwnedBy(GetForegroundWindow(), ruler.ProcessId()));
    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([] { return OverlayWindow() == nullptr; }));
    EXPECT_SOON_EQ(m_backdrop.Handle(), GetForegroundWindow());
}
