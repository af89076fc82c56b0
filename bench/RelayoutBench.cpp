// Times the ruler's relayout against the floor of any full redraw: one fill and
// one block copy of a surface of the same size. Prints milliseconds per call.
#include "copy/DibSurface.h"
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

// Relayout at 1920 x 1080 with many guide lines (half vertical, half horizontal, spread
// over the inner area): lines must stay cheap next to the bars.
void BenchGuideLines(CMensuroDlg& ruler, HWND window)
{
    SetWindowPos(window, nullptr, 0, 0, 1920, 1080, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    PumpMessages();
    std::printf("\n%-11s %11s %11s %11s\n", "lines", "Relayout", "region", "compose");
    RECT rc;
    GetClientRect(window, &rc);
    const WindowRect client(rc.left, rc.top, rc.right, rc.bottom);
    double base = 0;
    for (int count : {0, 100, 1000}) {
        ruler.m_linesX.clear();
        ruler.m_linesY.clear();
        const int innerW = rc.right - 2 * ruler.ScaleSize, innerH = rc.bottom - 2 * ruler.ScaleSize;
        for (int i = 0; i < count / 2; ++i) {
            ruler.m_linesX.push_back(i * innerW / (count / 2));
            ruler.m_linesY.push_back(i * innerH / (count / 2));
        }
        const double relayout = MedianMs(9, 5, [&] {
            ruler.Relayout();
            ValidateRect(window, nullptr);
        });
        const double region = MedianMs(9, 5, [&] { ruler.BuildRegion(client); });
        const double compose = MedianMs(9, 5, [&] { ruler.ComposeImage(ruler.m_surface.GetDC(), client); });
        if (count == 0) base = relayout;
        std::printf("%-11d %11.3f %11.3f %11.3f  (%.2f x no lines)\n", count, relayout, region, compose,
                    relayout / base);
    }
    ruler.m_linesX.clear();
    ruler.m_linesY.clear();
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
    BenchGuideLines(ruler, window);
    DestroyWindow(window);
    return 0;
}
