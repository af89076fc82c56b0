// The Measure mode's windows against their floors, in the same run on the same screen:
// its start (frame taken, overlays shown and painted) against one grab of the whole screen;
// a pointer move to the overlay painted against a plain window of the screen's size that
// draws a crosshair and repaints the strips it changed; the same move with 200 pins.
#include "bench/BenchTiming.h"
#include "copy/ScreenGrab.h"
#include "measure/MeasureTool.h"
#include "resources/resource.h"
#include "ruler/MonitorList.h"
#include "support/FakeRulerHost.h"

#include <cstdio>

namespace {

using bench::Median;
using bench::MedianMs;
using bench::PumpMessages;

// The floor of a move: a crosshair over a picture, the old and new strips repainted.
struct CrosshairWindow {
    static constexpr int kStrip = 3;
    DibSurface picture;
    HWND window = nullptr;
    POINT at = {100, 100};

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<CrosshairWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message != WM_PAINT || !self) return DefWindowProcW(hwnd, message, wParam, lParam);
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd, &ps);
        const RECT& r = ps.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, self->picture.GetDC(), r.left, r.top, SRCCOPY);
        PatBlt(dc, 0, self->at.y, self->picture.Width(), 1, DSTINVERT);
        PatBlt(dc, self->at.x, 0, 1, self->picture.Height(), DSTINVERT);
        EndPaint(hwnd, &ps);
        return 0;
    }
    CrosshairWindow(int width, int height) : picture(width, height, 24)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MeasureBenchCrosshair";
        RegisterClassW(&wc);
        window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                 width, height, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        UpdateWindow(window);
    }
    ~CrosshairWindow() { DestroyWindow(window); }
    // Each strip apart: the row and column, old and new.
    void Move(POINT p)
    {
        for (const POINT q : {at, p}) {
            const RECT row = {0, q.y - 1, picture.Width(), q.y + kStrip - 1};
            const RECT column = {q.x - 1, 0, q.x + kStrip - 1, picture.Height()};
            InvalidateRect(window, &row, FALSE);
            InvalidateRect(window, &column, FALSE);
        }
        at = p;
        UpdateWindow(window);
    }
};

} // namespace

int wmain()
{
    const std::vector<WindowRect> monitors = MonitorRects();
    const WindowRect screen = monitors.front();
    FakeRulerHost host(200, 100);
    CMeasureTool tool(host);
    SetCursorPos(screen.Width() / 2, screen.Height() / 2);

    std::vector<double> starts, grabs;
    DibSurface grab(screen.Width(), screen.Height(), 24);
    for (int round = 0; round < 7; ++round) {
        starts.push_back(MedianMs(1, 1, [&] {
            tool.OnCommand(ID_MEASURE);
            for (HWND overlay : tool.OverlayWindows()) UpdateWindow(overlay);
        }));
        tool.OnCommand(ID_MEASURE);
        PumpMessages();
        grabs.push_back(MedianMs(1, 1, [&] { GrabScreenInto(grab, ScreenCoverage(screen, monitors)); }));
    }

    tool.OnCommand(ID_MEASURE);
    const HWND overlay = tool.OverlayWindows().front();
    int step = 0;
    const POINT centre = {screen.Width() / 2, screen.Height() / 2};
    const auto move = [&] {
        tool.OnOverlayInput(WM_MOUSEMOVE, 0, {centre.x + (++step & 1), centre.y});
        UpdateWindow(overlay);
    };
    std::vector<double> moves, pinnedMoves, floors;
    for (int round = 0; round < 15; ++round) moves.push_back(MedianMs(1, 20, move));
    // 200 pins spread over the screen: spans, then lines.
    for (int i = 0; i < 200; ++i) {
        const POINT p = {40 + (i * 97) % (screen.Width() - 80), 40 + (i * 53) % (screen.Height() - 80)};
        tool.OnOverlayInput(WM_KEYDOWN, i < 100 ? '1' : '5', {0, 0});
        tool.OnOverlayInput(WM_LBUTTONDOWN, MK_LBUTTON, p);
        tool.OnOverlayInput(WM_MOUSEMOVE, MK_LBUTTON, {p.x + 30, p.y + 20});
        tool.OnOverlayInput(WM_LBUTTONUP, 0, {p.x + 30, p.y + 20});
    }
    tool.OnOverlayInput(WM_KEYDOWN, '1', {0, 0});
    PumpMessages();
    for (int round = 0; round < 15; ++round) pinnedMoves.push_back(MedianMs(1, 20, move));
    const size_t pins = tool.Pins().Items().size();
    tool.OnCommand(ID_MEASURE);
    PumpMessages();
    {
        CrosshairWindow floor(screen.Width(), screen.Height());
        PumpMessages();
        for (int round = 0; round < 15; ++round)
            floors.push_back(MedianMs(1, 20, [&] { floor.Move({centre.x + (++step & 1), centre.y}); }));
    }
    const double s = Median(starts), g = Median(grabs), m = Median(moves), p = Median(pinnedMoves), f = Median(floors);
    std::printf("%-34s %9s %9s %7s\n", "Measure mode", "ms", "floor", "ratio");
    std::printf("%-34s %9.3f %9.3f %7.2f\n", "start (frame, overlays painted)", s, g, s / g);
    std::printf("%-34s %9.3f %9.3f %7.2f\n", "pointer move, Spacing, painted", m, f, m / f);
    std::printf("%-34s %9.3f %9.3f %7.2f\n", "the same with pins", p, m, p / m);
    std::printf("(%dx%d screen; start: median of 7, floor one grab of the whole screen; moves: median of 15 rounds\n",
                screen.Width(), screen.Height());
    std::printf(" of 20, floor a plain window of the screen's size with a crosshair, its strips repainted; %zu pins,\n",
                pins);
    std::puts(" their floor the move without pins)");
    return 0;
}
