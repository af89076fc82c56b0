// The global keys against a stand-in ruler: what each key hands on, and the Alt+arrow moves.
#include "resources/resource.h"
#include "shell/GlobalKeysTool.h"
#include "support/FakeRulerHost.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

namespace {

LONG LeftOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.left;
}

} // namespace

TEST(GlobalKeysTool, KeysHandTheirActionToTheFeaturesWithoutActivatingTheRulerAndWaitForItsDialogs)
{
    // Keys no one else in the test's Wine session has: Ctrl+Alt+Shift+F13 to F17.
    const RegistryScope options("SOFTWARE\\Veltrin's Applications\\mensuro_unit_tests");
    options.Clear();
    for (int i = 0; i < kHotKeyActionCount; ++i)
        options.SetDword("CMensuroDlg", HotKeySettings::ValueName(static_cast<HotKeyAction>(i)),
                         MakeHotKey(VK_F13 + i, 0x07));
    FakeRulerHost host(400, 300);
    CGlobalKeysTool keys(host);
    keys.OnStart();
    ASSERT_EQ(0u, keys.Keys().TakenMask());
    auto press = [&](HotKeyAction action) {
        LRESULT result = 1;
        EXPECT_TRUE(keys.OnMessage(WM_HOTKEY, kHotKeyIdFirst + static_cast<int>(action), 0, result));
        MSG msg = {};
        return PeekMessageW(&msg, host.Window(), WM_COMMAND, WM_COMMAND, PM_REMOVE) ? LOWORD(msg.wParam) : 0u;
    };

    const HWND before = GetForegroundWindow();
    EXPECT_EQ(static_cast<UINT>(ID_LOUPE), press(HotKeyAction::Loupe));
    EXPECT_EQ(static_cast<UINT>(ID_LINES_AT_POINTER), press(HotKeyAction::LinesAtEdges));
    EXPECT_EQ(static_cast<UINT>(ID_COPY), press(HotKeyAction::Copy));
    EXPECT_EQ(static_cast<UINT>(ID_MEASURE), press(HotKeyAction::Measure));
    EXPECT_EQ(before, GetForegroundWindow());
    EXPECT_FALSE(IsWindowVisible(host.Window()));

    // The Measure mode's overlay, a popup of the ruler's with the keyboard, is no dialog:
    // the key pressed again reaches the mode.
    HWND overlay = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                   50, host.Window(), nullptr, nullptr, nullptr);
    SetForegroundWindow(overlay);
    EXPECT_EQ(static_cast<UINT>(ID_MEASURE), press(HotKeyAction::Measure));
    DestroyWindow(overlay);

    // While a feature holds the screen, only the Measure key acts: the others would act on
    // the ruler under the frozen frame.
    host.screenHeld = true;
    for (HotKeyAction action : {HotKeyAction::Loupe, HotKeyAction::LinesAtEdges, HotKeyAction::Copy})
        EXPECT_EQ(0u, press(action)) << static_cast<int>(action);
    press(HotKeyAction::RulerToPointer);
    EXPECT_FALSE(IsWindowVisible(host.Window()));
    EXPECT_EQ(static_cast<UINT>(ID_MEASURE), press(HotKeyAction::Measure));
    host.screenHeld = false;

    EnableWindow(host.Window(), FALSE); // as an open dialog or message box holds it
    EXPECT_EQ(0u, press(HotKeyAction::Loupe));
    press(HotKeyAction::RulerToPointer);
    EXPECT_EQ(100, LeftOf(host.Window())) << "brought forward where it is";
    options.Clear();
}

TEST(GlobalKeysTool, AltArrowsMoveTheRulerAndOtherAltKeysKeepTheirMeaning)
{
    FakeRulerHost host(400, 300);
    CGlobalKeysTool keys(host);
    EXPECT_TRUE(keys.OnSysKey(VK_RIGHT, false));
    EXPECT_EQ(101, LeftOf(host.Window()));
    EXPECT_TRUE(keys.OnSysKey(VK_LEFT, true));
    EXPECT_EQ(91, LeftOf(host.Window()));
    EXPECT_FALSE(keys.OnSysKey(VK_F4, false)) << "Alt+F4 closes the ruler as any window";
    EXPECT_EQ(91, LeftOf(host.Window()));
}
