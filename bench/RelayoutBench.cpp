// Times the ruler's relayout against the floor of any full redraw: one fill of a surface
// and one copy of it whole into another surface in memory (no window, so no shape clips
// the copy). Prints milliseconds per call.
#include "bench/BenchTiming.h"
#include "bench/EdgeBench.h"
#include "bench/MeasureBench.h"
#include "bench/LiveResizeBench.h"
#include "bench/ShapedWindowBench.h"
#include "copy/PictureEncoder.h"
#include "copy/ScreenCopy.h"
#include "copy/ScreenGrab.h"
#include "copy/ScreenPicture.h"
#include "framework/Application.h"
#include "framework/DibSurface.h"
#include "ruler/Geometry.h"
#include "ruler/MensuroDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using bench::MedianMs;
using bench::PumpMessages;

// "Copy" of a 1920 x 1080 inner area (grab and pack, as the timer does it) against its
// floor: one block copy of that size from the screen into a ready surface. The measures
// alternate within each round, so a change of load on the machine or of the screen's
// state touches all alike. "+PNG" adds the PNG the clipboard gets beside the DIB; "PNG
// alone" is the encoding of a ready DIB. "new block" is the
// part no copy can avoid on top of the floor: filling a newly allocated block of the
// packed size, which the clipboard then owns.
void BenchScreenCopy()
{
    const WindowRect area(0, 0, 1920, 1080);
    PictureContent content;
    content.area = area;
    CScreenPicture picture;
    DibSurface target(area.Width(), area.Height(), 24);
    const HGLOBAL sample = picture.Take(content);
    std::vector<double> copies, withPng, pngs, floors, blocks;
    for (int round = 0; round < 15; ++round) {
        copies.push_back(MedianMs(1, 5, [&] { GlobalFree(picture.Take(content)); }));
        floors.push_back(MedianMs(1, 5, [&] { GrabScreenInto(target, area.left, area.top); }));
        withPng.push_back(MedianMs(1, 2, [&] {
            const HGLOBAL dib = picture.Take(content);
            GlobalFree(EncodePng(dib));
            GlobalFree(dib);
        }));
        pngs.push_back(MedianMs(1, 2, [&] { GlobalFree(EncodePng(sample)); }));
        blocks.push_back(MedianMs(1, 5, [&] { GlobalFree(target.PackDib()); }));
    }
    GlobalFree(sample);
    using bench::Median;
    const double copy = Median(copies), floorMs = Median(floors), png = Median(withPng), encode = Median(pngs),
                 block = Median(blocks);
    std::printf("\n%-11s %11s %11s %11s %11s %11s\n", "copy", "grab+pack", "+PNG", "PNG alone", "floor", "new block");
    std::printf("%-11s %11.3f %11.3f %11.3f %11.3f %11.3f\n", "1920x1080", copy, png, encode, floorMs, block);
    std::printf("%-11s %11.2f %11.2f %11.2f %11s %11.2f\n", "x floor", copy / floorMs, png / floorMs, encode / floorMs,
                "", block / floorMs);
    std::puts("(milliseconds per copy, median of 15 rounds; floor = one screen block copy of that size into a");
    std::puts(" ready surface; new block = filling a newly allocated block of the packed size)");
}

// Relayout at 1920 x 1080 with many guide lines (half vertical, half horizontal, spread
// over the inner area): lines must stay cheap next to the bars. 200 lines cross 10 000
// times and are all in the window's shape; 1000 cross 250 000 times, more than the shape
// takes, so the shape then leaves the lines out (they are still drawn).
void BenchGuideLines(CMensuroDlg& ruler, HWND window)
{
    SetWindowPos(window, nullptr, 0, 0, 1920, 1080, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    PumpMessages();
    std::printf("\n%-11s %11s %11s %11s %11s\n", "lines", "Relayout", "region", "compose", "in shape");
    RECT rc;
    GetClientRect(window, &rc);
    const WindowRect client(rc.left, rc.top, rc.right, rc.bottom);
    double base = 0;
    for (int count : {0, 200, 1000}) {
        const int32_t s = ruler.Model().options.ScaleSize;
        const int innerW = rc.right - 2 * s, innerH = rc.bottom - 2 * s;
        std::vector<int32_t> xs, ys;
        for (int i = 0; i < count / 2; ++i) {
            xs.push_back(i * innerW / (count / 2));
            ys.push_back(i * innerH / (count / 2));
        }
        ruler.ChangeModel([&](RulerModel& model) { model.lines.ReplaceAll(xs, ys); });
        const double relayout = MedianMs(9, 5, [&] {
            ruler.Relayout();
            ValidateRect(window, nullptr);
        });
        const double region = MedianMs(9, 5, [&] { ruler.BuildRegion(client); });
        const double compose = MedianMs(9, 5, [&] { ruler.ComposeImage(ruler.Surface().GetDC(), client); });
        if (count == 0) base = relayout;
        const int64_t crossings = int64_t(count / 2) * (count / 2);
        std::printf("%-11d %11.3f %11.3f %11.3f %11s  (%.2f x no lines)\n", count, relayout, region, compose,
                    crossings > kMaxLineCrossings ? "no" : "yes", relayout / base);
    }
    ruler.ChangeModel([](RulerModel& model) { model.lines.Clear(); });
}

// Relayout at 1920 x 1080 with the ruler reading millimetres beside the same in pixels:
// the ticks and numbers of a unit are laid out anew on every relayout. The two alternate
// within each round.
void BenchUnits(CMensuroDlg& ruler, HWND window)
{
    SetWindowPos(window, nullptr, 0, 0, 1920, 1080, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    PumpMessages();
    ruler.ChangeModel([](RulerModel& model) { model.basis = {96, kAssumedPixelsPerMetre}; });
    const auto relayoutIn = [&](Unit unit) {
        ruler.ChangeModel([unit](RulerModel& model) { model.options.DisplayUnit = unit; });
        return MedianMs(1, 5, [&] {
            ruler.Relayout();
            ValidateRect(window, nullptr);
        });
    };
    std::vector<double> pixels, millimetres;
    for (int round = 0; round < 15; ++round) {
        pixels.push_back(relayoutIn(Unit::Pixels));
        millimetres.push_back(relayoutIn(Unit::Millimetres));
    }
    ruler.ChangeModel([](RulerModel& model) { model.options.DisplayUnit = Unit::Pixels; });
    using bench::Median;
    const double px = Median(pixels), mm = Median(millimetres);
    std::printf("\n%-11s %11s %11s %11s\n", "unit", "Pixels", "mm", "mm / Pixels");
    std::printf("%-11s %11.3f %11.3f %11.2f\n", "1920x1080", px, mm, mm / px);
    std::puts("(milliseconds per Relayout, median of 15 rounds, the two units alternating; mm at 96 px per inch)");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1) return RunShapeWindow(argv[1]);
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
        const double compose = MedianMs(rounds, calls, [&] { ruler.ComposeImage(ruler.Surface().GetDC(), client); });

        // The floor of any full redraw: fill a surface and copy it whole, in memory.
        DibSurface source(size.cx, size.cy, 24), target(size.cx, size.cy, 24);
        const double floorMs = MedianMs(rounds, calls, [&] {
            source.Fill(0x55);
            source.BlitTo(target.GetDC(), 0, 0);
        });

        char label[32];
        std::snprintf(label, sizeof(label), "%ldx%ld", size.cx, size.cy);
        std::printf("%-11s %11.3f %11.3f %11.3f %11.3f %11.3f %7.2f\n", label, relayout, reload, region, compose,
                    floorMs, relayout / floorMs);
    }
    std::puts("(milliseconds per call, median of 15 rounds; registry, region and compose are Relayout's parts;");
    std::puts(" floor = one fill and one whole copy of a surface of that size in memory; ratio = Relayout / floor)");
    BenchGuideLines(ruler, window);
    BenchUnits(ruler, window);
    BenchEdges(ruler, window);
    BenchMeasureSpans();
    DestroyWindow(window);
    BenchScreenCopy();
    return BenchLiveResize() ? 0 : 1;
}
