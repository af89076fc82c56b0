// The Measure mode against a stand-in ruler, over a solid green window with known edges:
// every end leaves no window and gives the keyboard back; the tools read the frozen frame.
#include "copy/OpenedClipboard.h"
#include "measure/MeasureTool.h"
#include "resources/resource.h"
#include "ruler/MonitorList.h"
#include "support/FakeRulerHost.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
const RECT kScene = {200, 200, 400, 300}; // 200 x 100 px

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Waits, with a deadline, until the screen shows `colour` at (x, y).
bool ScreenShows(int x, int y, COLORREF colour)
{
    const DWORD deadline = GetTickCount() + 3000;
    for (;;) {
        Pump();
        const HDC screen = GetDC(nullptr);
        const COLORREF seen = GetPixel(screen, x, y);
        ReleaseDC(nullptr, screen);
        if (seen == colour) return true;
        if (GetTickCount() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

struct Scene {
    Scene()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = CreateSolidBrush(kGreen);
        wc.lpszClassName = L"MeasureToolTestScene";
        RegisterClassW(&wc);
        window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, kScene.left, kScene.top,
                                 kScene.right - kScene.left, kScene.bottom - kScene.top, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        SetForegroundWindow(window);
        UpdateWindow(window);
    }
    ~Scene() { DestroyWindow(window); }
    HWND window;
};

void Key(CMeasureTool& tool, WPARAM key)
{
    tool.OnOverlayInput(WM_KEYDOWN, key, {0, 0});
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Ctrl and Shift held as the overlay's thread sees them.
void HoldCtrlShift(bool held)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_SHIFT] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

void Drag(CMeasureTool& tool, POINT from, POINT to)
{
    tool.OnOverlayInput(WM_LBUTTONDOWN, MK_LBUTTON, from);
    tool.OnOverlayInput(WM_MOUSEMOVE, MK_LBUTTON, to);
    tool.OnOverlayInput(WM_LBUTTONUP, 0, to);
}

} // namespace

TEST(MeasureTool, EveryEndLeavesNoWindowAndGivesTheKeyboardBack)
{
    Scene scene;
    FakeRulerHost host(300, 200);
    CMeasureTool tool(host);
    const std::function<void()> ends[] = {
        [&] { Key(tool, VK_ESCAPE); },
        [&] { tool.OnOverlayInput(WM_RBUTTONUP, 0, {250, 250}); },
        [&] { tool.OnCommand(ID_MEASURE); }, // the global key again
        [&] { SendMessageW(tool.OverlayWindows().front(), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600)); },
        [&] { tool.OnEnding(); }, // the ruler's Exit
    };
    int path = 0;
    for (const auto& end : ends) {
        SCOPED_TRACE(path++);
        SetForegroundWindow(scene.window);
        EXPECT_FALSE(tool.OnKey('M', true)) << "Ctrl+M is no start";
        ASSERT_TRUE(tool.OnKey('M', false));
        ASSERT_TRUE(tool.Running());
        EXPECT_EQ(0, host.picturesAside) << "the ruler's windows are back once the frame is taken";
        const std::vector<HWND> overlays = tool.OverlayWindows();
        ASSERT_EQ(MonitorRects().size(), overlays.size());
        for (HWND overlay : overlays) {
            EXPECT_TRUE(IsWindowVisible(overlay));
            EXPECT_TRUE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
        }
        std::vector<HWND> own;
        tool.AddOwnWindows(own);
        EXPECT_EQ(overlays, own);
        EXPECT_EQ(overlays.front(), GetForegroundWindow()) << "the overlay has the keyboard";
        end();
        Pump();
        EXPECT_FALSE(tool.Active());
        for (HWND overlay : overlays) EXPECT_FALSE(IsWindow(overlay));
        EXPECT_EQ(scene.window, GetForegroundWindow());
    }
}

TEST(MeasureTool, ToolsMeasureTheFrozenFrameAndKeepPins)
{
    Scene scene;
    ASSERT_TRUE(ScreenShows(300, 250, kGreen));
    FakeRulerHost host(300, 200);
    host.model.options.EdgeTolerance = 900; // out of range: read as the default
    host.model.options.Option &= ~OptCopyMessage; // a failed copy says nothing, as Copy then does
    CMeasureTool tool(host);
    ASSERT_TRUE(tool.OnCommand(ID_MEASURE));
    ASSERT_TRUE(tool.Running());
    // The frame is frozen: the window going away changes nothing the mode reads.
    ShowWindow(scene.window, SW_HIDE);

    tool.OnOverlayInput(WM_MOUSEMOVE, 0, {260, 230});
    ASSERT_NE(nullptr, tool.Live());
    const Measurement span = *tool.Live();
    EXPECT_EQ(MeasureKind::Spacing, span.kind);
    EXPECT_EQ(200, span.left);
    EXPECT_EQ(399, span.right);
    EXPECT_EQ(200, span.top);
    EXPECT_EQ(299, span.bottom);
    tool.OnOverlayInput(WM_LBUTTONDOWN, MK_LBUTTON, {260, 230});
    tool.OnOverlayInput(WM_LBUTTONUP, 0, {260, 230});
    ASSERT_EQ(1u, tool.Pins().Items().size());

    Key(tool, '3');
    EXPECT_EQ(MeasureKind::Vertical, tool.Kind());
    tool.OnOverlayInput(WM_MOUSEMOVE, 0, {260, 230});
    EXPECT_EQ(260, tool.Live()->left) << "a vertical span stays on the pointer's column";
    Key(tool, VK_TAB);
    EXPECT_EQ(MeasureKind::Box, tool.Kind());
    Drag(tool, {170, 180}, {430, 330});
    ASSERT_EQ(2u, tool.Pins().Items().size());
    const Measurement box = tool.Pins().Items().back();
    EXPECT_EQ(200, box.left) << "the box shrinks onto the green window";
    EXPECT_EQ(399, box.right);
    EXPECT_EQ(299, box.bottom);

    Key(tool, '5');
    Drag(tool, {100, 300}, {140, 270});
    ASSERT_EQ(3u, tool.Pins().Items().size());
    EXPECT_EQ(MeasureKind::Line, tool.Pins().Items().back().kind);
    EXPECT_TRUE(tool.Pins().Items().back().to == (MeasurePoint{140, 270}));
    Drag(tool, {120, 120}, {120, 120});
    EXPECT_EQ(3u, tool.Pins().Items().size()) << "a click without a drag pins no line";

    Key(tool, '6');
    Drag(tool, {500, 500}, {600, 500});
    EXPECT_EQ(3u, tool.Pins().Items().size()) << "an angle waits for its second arm";
    tool.OnOverlayInput(WM_MOUSEMOVE, 0, {500, 400});
    tool.OnOverlayInput(WM_LBUTTONDOWN, MK_LBUTTON, {500, 400});
    ASSERT_EQ(4u, tool.Pins().Items().size());
    EXPECT_NEAR(90.0, ArmsAngle(tool.Pins().Items().back().from, tool.Pins().Items().back().to,
                                tool.Pins().Items().back().third), 1e-9);

    Key(tool, VK_BACK);
    EXPECT_EQ(3u, tool.Pins().Items().size());
    tool.OnOverlayInput(WM_MOUSEMOVE, 0, {120, 285}); // on the line
    Key(tool, VK_DELETE);
    EXPECT_EQ(2u, tool.Pins().Items().size());

    tool.OnOverlayInput(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), {0, 0});
    EXPECT_EQ(9, host.model.options.EdgeTolerance);
    const Unit unit = host.model.options.DisplayUnit;
    Key(tool, 'U');
    EXPECT_NE(unit, host.model.options.DisplayUnit) << "U steps the ruler's unit, saved with it";

    // Ctrl+Shift+C: refused while another window holds the clipboard, which keeps its text;
    // once it is free, the pins as a table.
    ASSERT_TRUE(PutTextOnClipboard(scene.window, L"kept"));
    HoldCtrlShift(true);
    ASSERT_TRUE(OpenClipboard(scene.window));
    Key(tool, 'C');
    CloseClipboard();
    EXPECT_EQ(L"kept", ClipboardText());
    Key(tool, 'C');
    HoldCtrlShift(false);
    const std::wstring table = ClipboardText();
    EXPECT_EQ(0u, table.find(L"Kind\t")) << "a header row";
    EXPECT_NE(std::wstring::npos, table.find(L"\r\nBox\t200\t200\t")) << "the shrunk box's row, its corner in px";

    Key(tool, VK_ESCAPE);
    EXPECT_FALSE(tool.Running());
}
