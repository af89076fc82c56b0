// The global keys against a stand-in ruler: what each key does, what the ruler keeps of
// them, and the Alt+arrow moves.
#include "resources/resource.h"
#include "shell/GlobalKeysTool.h"
#include "support/FakeRulerHost.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

namespace {

RECT WindowRectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

class GlobalKeysTool : public testing::Test {
protected:
    void SetUp() override
    {
        // Keys no one else in the test's Wine session has: Ctrl+Alt+Shift+F13 to F16.
        options.Clear();
        for (int i = 0; i < kHotKeyActionCount; ++i)
            options.SetDword("CMensuroDlg", HotKeySettings::ValueName(static_cast<HotKeyAction>(i)),
                             MakeHotKey(VK_F13 + i, 0x07));
        keys.OnStart();
    }
    void TearDown() override { options.Clear(); }

    // The command the ruler was posted, or 0.
    UINT PostedCommand()
    {
        MSG msg;
        return PeekMessageW(&msg, host.Window(), WM_COMMAND, WM_COMMAND, PM_REMOVE) ? LOWORD(msg.wParam) : 0;
    }
    bool Press(HotKeyAction action)
    {
        LRESULT result = 1;
        return keys.OnMessage(WM_HOTKEY, kHotKeyIdFirst + static_cast<int>(action), 0, result) && result == 0;
    }

    const RegistryScope options{"SOFTWARE\\Veltrin's Applications\\mensuro_unit_tests"};
    FakeRulerHost host{400, 300};
    CGlobalKeysTool keys{host};
};

} // namespace

TEST_F(GlobalKeysTool, KeysHandTheirActionToTheFeaturesWithoutActivatingTheRuler)
{
    ASSERT_EQ(0u, keys.Keys().TakenMask());
    const HWND before = GetForegroundWindow();
    EXPECT_TRUE(Press(HotKeyAction::Loupe));
    EXPECT_EQ(static_cast<UINT>(ID_LOUPE), PostedCommand());
    EXPECT_TRUE(Press(HotKeyAction::LinesAtEdges));
    EXPECT_EQ(static_cast<UINT>(ID_LINES_AT_POINTER), PostedCommand());
    EXPECT_TRUE(Press(HotKeyAction::Copy));
    EXPECT_EQ(static_cast<UINT>(ID_COPY), PostedCommand());
    EXPECT_EQ(before, GetForegroundWindow());
    EXPECT_FALSE(IsWindowVisible(host.Window()));

    LRESULT result = 0;
    EXPECT_FALSE(keys.OnMessage(WM_HOTKEY, kHotKeyIdFirst + kHotKeyActionCount, 0, result)) << "someone else's key";
}

TEST_F(GlobalKeysTool, RulerToPointerMovesTheInnerCornerThereUnlessADialogHoldsTheRuler)
{
    EnableWindow(host.Window(), FALSE); // what an open dialog or message box does
    SetCursorPos(500, 400);
    EXPECT_TRUE(Press(HotKeyAction::RulerToPointer));
    EXPECT_TRUE(Press(HotKeyAction::Loupe));
    EXPECT_EQ(0u, PostedCommand()) << "nothing changes under an open dialog";
    EXPECT_EQ(100, WindowRectOf(host.Window()).left);

    EnableWindow(host.Window(), TRUE);
    EXPECT_TRUE(Press(HotKeyAction::RulerToPointer));
    const RECT moved = WindowRectOf(host.Window());
    EXPECT_EQ(500 - 40, moved.left);
    EXPECT_EQ(400 - 40, moved.top);
    EXPECT_TRUE(IsWindowVisible(host.Window()));
}

TEST_F(GlobalKeysTool, AltArrowsMoveTheRulerAndOtherAltKeysKeepTheirMeaning)
{
    EXPECT_TRUE(keys.OnSysKey(VK_RIGHT, false));
    EXPECT_EQ(101, WindowRectOf(host.Window()).left);
    EXPECT_TRUE(keys.OnSysKey(VK_LEFT, true));
    EXPECT_EQ(91, WindowRectOf(host.Window()).left);
    EXPECT_TRUE(keys.OnSysKey(VK_DOWN, true));
    EXPECT_EQ(110, WindowRectOf(host.Window()).top);
    EXPECT_FALSE(keys.OnSysKey(VK_F4, false)) << "Alt+F4 closes the ruler as everywhere";
    EXPECT_EQ(400, WindowRectOf(host.Window()).right - WindowRectOf(host.Window()).left);
}

TEST_F(GlobalKeysTool, TheKeysComeBackAfterACancelledKeysDialogAndAreWrittenAndLetGoAtTheEnd)
{
    EXPECT_TRUE(keys.OnCommand(ID_KEYS)); // the stand-in cancels every dialog
    EXPECT_TRUE(Press(HotKeyAction::Loupe));
    PostedCommand();
    options.Clear();
    keys.OnEnd();
    EXPECT_EQ(MakeHotKey(VK_F14, 0x07), options.Dword("CMensuroDlg", "HotKeyLoupe").value_or(0));
    CGlobalKeys again;
    again.Apply(keys.Keys().Settings());
    EXPECT_EQ(0u, again.Register(host.Window())) << "free for the next ruler";
}
