// Times the ruler's relayout against the floor of any full redraw: one fill and
// one block copy of a surface of the same size. Prints milliseconds per call.
#include "copy/DibSurface.h"
#include "copy/ScreenCopy.h"
#include "framework/Application.h"
#include "ruler/MensuroDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Median milliseconds per call over `rounds` rounds of `calls` calls.
template <class F>
double MedianMs(int rounds, int calls, F&& work)
{
    std::vector<double> samples;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i) work();
        GdiFlush();
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() / calls);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// "Copy" of a 1920 x 1080 inner area (grab and pack, as the timer does it) against
// its floor: one block copy of that size from the screen into a ready surface. The
// two alternate within each round, so a change of load on the machine or of the
// screen's state touches both alike. "new block" is the part no copy can avoid on
// top of the floor: filling a newly allocated block of the packed size, which the
// clipboard then owns.
void BenchScreenCopy()
{
    const WindowRect area(0, 0, 1920, 1080);
    DibSurface target(area.Width(), area.Height(), 24);
    std::vector<double> copies, floors, blocks;
    for (int round = 0; round < 15; ++round) {
        copies.push_back(MedianMs(1, 5, [&] { GlobalFree(CaptureDib(area, false, 0, 0)); }));
        floors.push_back(MedianMs(1, 5, [&] { target.GrabScreen(area.left, area.top); }));
        blocks.push_back(MedianMs(1, 5, [&] { GlobalFree(target.PackDib()); }));
    }
    const auto median = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double copy = median(copies), floorMs = median(floors), block = median(blocks);
    std::printf("\n%-11s %11s %11s %11s %7s\n", "copy", "grab+pack", "floor", "new block", "ratio");
    std::printf("%-11s %11.3f %11.3f %11.3f %7.2f\n", "1920x1080", copy, floorMs, block, copy / floorMs);
    std::puts("(milliseconds per copy, median of 15 rounds; floor = one screen block copy of that size;");
    std::puts(" ratio = grab+pack / floor)");
}

} // namespace

int wmain()
{
    SetProcessDPIAware();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    AppRegistry::SetCompany("Veltrin's Applications");

    CMensuroDlg ruler;
    HWND window = ruler.Create();
    if (!window) {
        std::puts("could not create the ruler window");
        return 1;
    }
    PumpMessages();

    const SIZE sizes[] = {{400, 300}, {1920, 1080}, {3840, 2160}};
    std::printf("%-11s %11s %11s %11s %11s %11s %7s\n", "size", "Relayout", "registry", "region", "compose", "floor",
                "ratio");
    for (const SIZE& size : sizes) {
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        PumpMessages();
        RECT rc;
        GetClientRect(window, &rc);
        const WindowRect client(rc.left, rc.top, rc.right, rc.bottom);
        const int rounds = 15, calls = size.cx > 1000 ? 5 : 40;

        const double relayout = MedianMs(rounds, calls, [&] {
            ruler.Relayout();
            ValidateRect(window, nullptr); // keep WM_PAINT out of the measurement
        });
        const double reload = MedianMs(rounds, calls, [&] { ruler.ReloadScaleBars(client); });
        const double region = MedianMs(rounds, calls, [&] { ruler.BuildRegion(client); });
        const double compose = MedianMs(rounds, calls, [&] { ruler.ComposeImage(ruler.m_surface.GetDC(), client); });

        // The floor of any full redraw: fill a surface and copy it whole to the
        // window, as painting does.
        DibSurface source(size.cx, size.cy, 24);
        HDC screen = GetDC(window);
        const double floorMs = MedianMs(rounds, calls, [&] {
            source.Fill(0x55);
            source.BlitTo(screen, 0, 0);
        });
        ReleaseDC(window, screen);

        char label[32];
        std::snprintf(label, sizeof(label), "%ldx%ld", size.cx, size.cy);
        std::printf("%-11s %11.3f %11.3f %11.3f %11.3f %11.3f %7.2f\n", label, relayout, reload, region, compose,
                    floorMs, (relayout - reload) / floorMs);
    }
    std::puts("(milliseconds per call, median of 15 rounds; ratio = (Relayout - registry) / floor)");
    DestroyWindow(window);
    BenchScreenCopy();
    return 0;
}
