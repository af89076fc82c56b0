#include "bench/ShapedWindowBench.h"

#include "bench/BenchTiming.h"
#include "copy/ScreenGrab.h"
#include "e2e/SolidWindow.h"
#include "e2e/UserInput.h"
#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "framework/Handles.h"
#include "ruler/Geometry.h"
#include "ruler/RulerOptions.h"
#include "ruler/Win32Rect.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

const wchar_t kClass[] = L"MensuroBenchShape";
// The bars' colour, and a key no bar uses: only the key's pixels are see-through.
constexpr COLORREF kFrameColour = RGB(255, 255, 255);
constexpr COLORREF kKeyColour = RGB(255, 0, 254);

const wchar_t* const kTitles[] = {L"MensuroBenchPlain", L"MensuroBenchRegion", L"MensuroBenchColourKey"};

struct ShapeWindowState {
    ShapeKind kind;
    bool ownProcess = false; // the process ends with the window
    int presses = 0;         // left presses the window received
};

// The ruler's shape at a client of w x h with its default options on a 96-DPI screen (the
// benchmark's): its four bars and the move box's and size grip's corner squares.
std::vector<WindowRect> RulerShape(int w, int h)
{
    const RulerOptions options;
    const int32_t thickness = FramePixels(options.ScaleSize, kBaseDpi);
    const WindowRect client(0, 0, w, h);
    std::vector<ScaleBarStyle> bars;
    LayoutScaleBars(bars, options.Flags, client, thickness);
    return RegionRects(client, bars, thickness, options.LineSize, {}, {});
}

void SetShapeRegion(HWND hwnd, int w, int h)
{
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    for (const WindowRect& r : RulerShape(w, h)) {
        GdiObject<HRGN> part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
    }
    // Without a redraw, as the ruler sets it: a redrawing SetWindowRgn repaints the whole window,
    // which is not what the shape itself costs. The window owns the region once it has taken it.
    if (SetWindowRgn(hwnd, region.get(), FALSE)) region.release();
}

// The frame in its colour; with a key, everything else in the key.
void PaintShape(HDC dc, int w, int h, bool keyed)
{
    if (keyed) {
        GdiObject<HBRUSH> key(CreateSolidBrush(kKeyColour));
        const RECT all = {0, 0, w, h};
        FillRect(dc, &all, key.get());
    }
    GdiObject<HBRUSH> frame(CreateSolidBrush(kFrameColour));
    for (const WindowRect& r : RulerShape(w, h)) {
        const RECT rect = ToRect(r);
        FillRect(dc, &rect, frame.get());
    }
}

LRESULT CALLBACK ShapeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<ShapeWindowState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        if (state->kind == ShapeKind::Region) SetShapeRegion(hwnd, LOWORD(lParam), HIWORD(lParam));
        // The right and bottom bars move with the size: a shaped window paints itself anew, as the
        // ruler does; the painting follows the step.
        if (state->kind != ShapeKind::Plain) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd, &ps);
        if (state->kind != ShapeKind::Plain) {
            RECT rc;
            GetClientRect(hwnd, &rc);
            PaintShape(dc, rc.right, rc.bottom, state->kind == ShapeKind::ColourKey);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: ++state->presses; return 0;
    case WM_DESTROY:
        if (state->ownProcess) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateShapeWindow(ShapeWindowState& state, const RECT& rect)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ShapeWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc); // fails harmlessly once the class exists
    const bool keyed = state.kind == ShapeKind::ColourKey;
    const HWND hwnd = CreateWindowExW(
        WS_EX_TOOLWINDOW | (keyed ? WS_EX_LAYERED : 0), kClass, ShapeWindowTitle(state.kind), WS_POPUP, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, &state);
    if (!hwnd) return nullptr;
    if (keyed) SetLayeredWindowAttributes(hwnd, kKeyColour, 0, LWA_COLORKEY);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    return hwnd;
}

} // namespace

const wchar_t* ShapeWindowTitle(ShapeKind kind)
{
    return kTitles[static_cast<int>(kind)];
}

int RunShapeWindow(const wchar_t* title)
{
    for (ShapeKind kind : {ShapeKind::Plain, ShapeKind::Region, ShapeKind::ColourKey}) {
        if (std::wcscmp(title, ShapeWindowTitle(kind)) != 0) continue;
        ShapeWindowState state{kind, true};
        if (!CreateShapeWindow(state, {0, 0, 1920, 1080})) return 1;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        return 0;
    }
    return 1;
}

namespace {

constexpr COLORREF kBackdropColour = RGB(0, 128, 255);

struct ShapeCheck {
    int points = 0;
    int pixelsOff = 0; // screen pixels that differ from the shape over the backdrop
    int hitsOff = 0;   // points where WindowFromPoint names the other window
    const char* click = "neither window";
};

bool SameColour(const unsigned char* bgr, COLORREF colour)
{
    return bgr[0] == GetBValue(colour) && bgr[1] == GetGValue(colour) && bgr[2] == GetRValue(colour);
}

ShapeCheck CheckShape(ShapeKind kind)
{
    // Away from the screen's edge, over a backdrop a little larger than the window.
    const RECT rect = {200, 200, 600, 500};
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    SolidWindow backdrop({rect.left - 20, rect.top - 20, rect.right + 20, rect.bottom + 20}, kBackdropColour);
    ShapeWindowState state{kind};
    OwnedWindow window;
    window.reset(CreateShapeWindow(state, rect));
    const std::vector<WindowRect> shape = RulerShape(w, h);
    const auto inShape = [&](int x, int y) {
        for (const WindowRect& r : shape)
            if (r.Contains(x, y)) return true;
        return false;
    };

    ShapeCheck check;
    check.points = w * h;
    // The screen shows a change some time after the window painted it: wait until it is
    // exact, at most 2 s.
    DibSurface screen(w, h, 32);
    check.pixelsOff = check.points;
    for (int i = 0; i < 40 && check.pixelsOff != 0; ++i) {
        bench::PumpMessages();
        Sleep(50);
        if (!GrabScreenInto(screen, rect.left, rect.top)) continue;
        const unsigned char* pixels = screen.Pixels();
        check.pixelsOff = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                check.pixelsOff += !SameColour(pixels + (size_t(h - 1 - y) * w + x) * 4,
                                               inShape(x, y) ? kFrameColour : kBackdropColour);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const HWND expected = inShape(x, y) ? window.get() : backdrop.Handle();
            check.hitsOff += WindowFromPoint({rect.left + x, rect.top + y}) != expected;
        }

    const int cx = rect.left + w / 2, cy = rect.top + h / 2;
    UserInput::Click(cx, cy);
    for (int i = 0; i < 50; ++i) {
        bench::PumpMessages();
        if (backdrop.WasPressedAt(cx, cy)) check.click = "the window below";
        if (state.presses) check.click = "the shaped window";
        if (backdrop.WasPressedAt(cx, cy) || state.presses) break;
        Sleep(20);
    }
    return check;
}

} // namespace

void CheckShapes()
{
    std::printf("\n%-24s %15s %15s  %s\n", "shape over a window", "pixels off", "hit-test off",
                "a click in the inner area reaches");
    for (ShapeKind kind : {ShapeKind::Region, ShapeKind::ColourKey}) {
        const ShapeCheck check = CheckShape(kind);
        std::printf("%-24s %8d/%6d %8d/%6d  %s\n", kind == ShapeKind::Region ? "plain + region" : "colour key",
                    check.pixelsOff, check.points, check.hitsOff, check.points, check.click);
    }
    std::puts("(a 400x300 window with the ruler's shape over a window of another colour; pixels off = screen\n"
              " pixels unlike the shape over that window, hit-test off = points where WindowFromPoint names\n"
              " the wrong one of the two)");
}
