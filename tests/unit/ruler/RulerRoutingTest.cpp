// The ruler as a host: commands, keys and timers handed to its features in order, and
// mouse modes that end once on every path.
#include "resources/resource.h"
#include "ruler/MensuroDlg.h"
#include "ruler/RulerTimers.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Takes one command and one key, and records everything it is offered.
class RecordingTool : public RulerTool {
public:
    RecordingTool(UINT command, WPARAM key) : m_command(command), m_key(key) {}
    std::vector<UINT> commands;
    std::vector<WPARAM> keys;
    std::vector<UINT_PTR> timers;

    bool OnCommand(UINT id) override
    {
        commands.push_back(id);
        return id == m_command;
    }
    bool OnKey(WPARAM key, bool) override
    {
        keys.push_back(key);
        return key == m_key;
    }
    void OnTimer(UINT_PTR id) override { timers.push_back(id); }
    bool ShowMenu(int x, int y) override
    {
        menus.push_back({x, y});
        return true;
    }
    std::vector<POINT> menus;
    void PutAsideForPicture(bool aside) override { asides.push_back(aside); }
    std::vector<bool> asides;
    void OnEnding() override { ++endings; }
    int endings = 0;

private:
    UINT m_command;
    WPARAM m_key;
};

class CountingMode : public MouseMode {
public:
    int ends = 0;
    ModeExit exit = ModeExit::Drop;
    WPARAM Button() const override { return MK_LBUTTON; }
    void OnModeEnd(ModeExit how, POINT, bool) override
    {
        ++ends;
        exit = how;
    }
};

void PumpFor(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
}

template <class Done>
bool PumpUntil(Done done, DWORD deadlineMs = 5000)
{
    const DWORD end = GetTickCount() + deadlineMs;
    MSG msg;
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
    return true;
}

class RulerRouting : public testing::Test {
protected:
    void SetUp() override
    {
        options.Clear();
        ruler.SetTools({&first, &second});
        window = ruler.Create();
        ASSERT_NE(nullptr, window);
        PumpFor(0);
    }
    void TearDown() override
    {
        if (IsWindow(window)) DestroyWindow(window);
        options.Clear();
    }

    const RegistryScope options{"SOFTWARE\\Veltrin's Applications\\mensuro_unit_tests"};
    RecordingTool first{ID_COPY, 'Q'};
    RecordingTool second{ID_LOUPE, 'W'};
    CMensuroDlg ruler;
    HWND window = nullptr;
};

} // namespace

TEST_F(RulerRouting, CommandsAndKeysGoToTheFeaturesInOrderAfterTheRulersOwn)
{
    SendMessageW(window, WM_COMMAND, ID_COPY, 0);
    SendMessageW(window, WM_COMMAND, ID_LOUPE, 0);
    SendMessageW(window, WM_COMMAND, ID_DELETE_ALL_LINES, 0);
    EXPECT_EQ((std::vector<UINT>{ID_COPY, ID_LOUPE}), first.commands);
    EXPECT_EQ((std::vector<UINT>{ID_LOUPE}), second.commands) << "the first that takes a command ends its way";

    SendMessageW(window, WM_KEYDOWN, 'W', 0);
    SendMessageW(window, WM_KEYDOWN, 'Q', 0);
    SendMessageW(window, WM_KEYDOWN, VK_INSERT, 0);
    EXPECT_EQ((std::vector<WPARAM>{'W', 'Q'}), first.keys) << "the ruler's own keys go no further";
    EXPECT_EQ((std::vector<WPARAM>{'W'}), second.keys);
}

TEST_F(RulerRouting, OverlappingPicturesPutTheFeaturesAsideOnceAndExitTellsThemTheRulerEnds)
{
    // A Copy within a save's delay; the features come back with the last picture, and a
    // put-back too many changes nothing.
    for (bool aside : {true, true, false, false, false}) ruler.PutAsideForPicture(aside);
    EXPECT_EQ((std::vector<bool>{true, false}), first.asides);

    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1, second.endings) << "before the ruler goes";
}

TEST_F(RulerRouting, TheMenuKeysOpenTheMenuAtThePointerOverTheRulerElseAtItsTopLeftCorner)
{
    SetWindowPos(window, nullptr, 200, 150, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    SetCursorPos(260, 220);
    SendMessageW(window, WM_KEYDOWN, VK_APPS, 0);
    SetCursorPos(20, 20);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE shift = keys[VK_SHIFT];
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(window, WM_SYSKEYDOWN, VK_F10, 0);
    keys[VK_SHIFT] = shift;
    SetKeyboardState(keys);
    ASSERT_EQ(2u, first.menus.size()) << "the first feature that shows menus takes both";
    EXPECT_EQ(260, first.menus[0].x);
    EXPECT_EQ(220, first.menus[0].y);
    EXPECT_EQ(200, first.menus[1].x) << "Shift+F10 with the pointer away from the ruler";
    EXPECT_EQ(150, first.menus[1].y);
    EXPECT_TRUE(second.menus.empty());
}

TEST_F(RulerRouting, ATimerRunsUntilItsOwnerStopsItAndOnlyItsOwnerHearsIt)
{
    ruler.StartTimer(second, TimerCopy, 10);
    EXPECT_TRUE(PumpUntil([&] { return second.timers.size() >= 3; })) << "a periodic timer keeps running";
    ruler.StopTimer(TimerCopy);
    const size_t fired = second.timers.size();
    // A later timer of another owner proves the stopped one had every chance to fire.
    ruler.StartTimer(first, TimerSavePicture, 30);
    EXPECT_TRUE(PumpUntil([&] { return first.timers.size() >= 2; }));
    ruler.StopTimer(TimerSavePicture);
    EXPECT_EQ(fired, second.timers.size());
    EXPECT_EQ((std::vector<UINT_PTR>{TimerSavePicture, TimerSavePicture}),
              std::vector<UINT_PTR>(first.timers.begin(), first.timers.begin() + 2));
}

TEST_F(RulerRouting, AMouseModeEndsOnceOnEveryPathAndLetsGoOfTheCapture)
{
    struct Path {
        const char* name;
        void (*end)(HWND window);
        ModeExit exit;
    };
    const Path paths[] = {
        {"Esc", [](HWND w) { SendMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0); }, ModeExit::Cancel},
        {"WM_CANCELMODE", [](HWND w) { SendMessageW(w, WM_CANCELMODE, 0, 0); }, ModeExit::Cancel},
        {"disabled", [](HWND w) { EnableWindow(w, FALSE), EnableWindow(w, TRUE); }, ModeExit::Cancel},
        {"capture lost", [](HWND) { ReleaseCapture(); }, ModeExit::CaptureLost},
        {"a press of the other mode", [](HWND w) { SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, 0); }, ModeExit::Cancel},
    };
    for (const Path& path : paths) {
        CountingMode mode;
        ASSERT_TRUE(ruler.StartMouseMode(mode, {50, 50})) << path.name;
        EXPECT_EQ(window, GetCapture()) << path.name;
        path.end(window);
        EXPECT_EQ(1, mode.ends) << path.name;
        EXPECT_EQ(path.exit, mode.exit) << path.name;
        ruler.EndMouseMode(ModeExit::Cancel); // the right press started a targeting of its own
        EXPECT_EQ(1, mode.ends) << path.name << ": once";
        EXPECT_FALSE(ruler.InMouseMode()) << path.name;
        EXPECT_NE(window, GetCapture()) << path.name;
    }
}
