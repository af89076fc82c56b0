// Times the ruler's relayout against the floor of any full redraw: one fill of a surface
// and one copy of it whole into another surface in memory (no window, so no shape clips
// the copy). Prints milliseconds per call.
#include "bench/BenchTiming.h"
#include "bench/EdgeBench.h"
#include "bench/MeasureBench.h"
#include "bench/LiveResizeBench.h"
#include "bench/ShapedWindowBench.h"
#include "copy/ClipboardPicture.h"
#include "copy/OpenedClipboard.h"
#include "copy/PictureEncoder.h"
#include "copy/ScreenCopy.h"
#include "copy/ScreenGrab.h"
#include "copy/ScreenPicture.h"
#include "framework/Application.h"
#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "ruler/Geometry.h"
#include "ruler/MensuroDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

using bench::MedianMs;
using bench::PumpMessages;

// The ruler's window as the clipboard sees it: it hands the clipboard's messages to its picture.
LRESULT CALLBACK ClipboardOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (CClipboardPicture* picture = CClipboardPicture::Of(window))
        if (picture->OnMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

// A paste of the PNG as another program makes it: the clipboard asks the owner to render it.
void PastePng()
{
    if (!OpenClipboard(nullptr)) return;
    GetClipboardData(PngClipboardFormat());
    CloseClipboard();
}

// Copy as it was before the PNG was promised: the PNG encoded at once and handed over beside
// the DIB.
void CopyWithPngAtOnce(HWND owner, CScreenPicture& picture, const PictureContent& content)
{
    GlobalBlock dib(picture.Take(content)), png(EncodePng(dib.get()));
    const OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_DIB, dib.get())) return;
    dib.release();
    if (SetClipboardData(PngClipboardFormat(), png.get())) png.release();
}

// Lets the window system finish with the last change of the clipboard (Wine's own reader of
// it, the owner's messages) before the next copy is timed: copies a user makes are seconds
// apart, and one held clipboard would otherwise time the wait for it.
void SettleClipboard()
{
    bench::PumpMessages();
    const auto start = bench::Clock::now();
    while (bench::Clock::now() - start < std::chrono::milliseconds(200)) {
        if (OpenClipboard(nullptr)) {
            CloseClipboard();
            break;
        }
        Sleep(1);
    }
    bench::PumpMessages();
}

// One timed call of work() after the clipboard has settled; median of `calls`.
template <class F>
double SettledMs(int calls, F&& work)
{
    std::vector<double> samples;
    for (int i = 0; i < calls; ++i) {
        SettleClipboard();
        samples.push_back(bench::TimeMs(1, [&](int) { work(); }));
    }
    return bench::Median(samples);
}

// The platform's part of a Copy: a ready packed block handed to the clipboard (opened,
// emptied, the block set, closed), timed once the clipboard has settled; median of `calls`.
double HandOverMs(int calls, HWND owner, const DibSurface& picture)
{
    std::vector<double> samples;
    for (int i = 0; i < calls; ++i) {
        SettleClipboard();
        GlobalBlock block(picture.PackDib());
        samples.push_back(bench::TimeMs(1, [&](int) {
            const OpenedClipboard clipboard(owner);
            if (clipboard.IsOpen() && EmptyClipboard() && SetClipboardData(CF_DIB, block.get())) block.release();
        }));
    }
    return bench::Median(samples);
}

// "Copy" of a 1920 x 1080 inner area against its floor: one block copy of that size from the
// screen into a ready surface. The measures alternate within each round, so a change of load
// on the machine or of the screen's state touches all alike. "grab+pack" is the picture
// alone; "Copy" is what the copy's timer does: the picture handed to the clipboard with its
// PNG promised; "PNG at once" is the same with the PNG encoded and handed over at once, as
// Copy did before; "PNG asked" is a paste of the PNG right after a Copy, which has it
// rendered; "PNG alone" is the encoding of a ready DIB; "hand-over" is the clipboard's own
// part of a Copy, a ready block handed over. "new block" is the part no copy can
// avoid on top of the floor: filling a newly allocated block of the packed size, which the
// clipboard then owns.
void BenchScreenCopy()
{
    const WindowRect area(0, 0, 1920, 1080);
    PictureContent content;
    content.area = area;
    CScreenPicture picture;
    DibSurface target(area.Width(), area.Height(), 24);
    const HGLOBAL sample = picture.Take(content);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &ClipboardOwnerProc;
    wc.lpszClassName = L"MensuroBenchClipboard";
    RegisterClassW(&wc);
    OwnedWindow owner;
    owner.reset(CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    CClipboardPicture promise;
    promise.Attach(owner.get());
    std::vector<double> takes, copies, atOnce, asked, pngs, floors, blocks, handOvers;
    for (int round = 0; round < 15; ++round) {
        takes.push_back(MedianMs(1, 5, [&] { GlobalFree(picture.Take(content)); }));
        copies.push_back(SettledMs(3, [&] { CaptureToClipboard(owner.get(), picture, content); }));
        floors.push_back(MedianMs(1, 5, [&] { GrabScreenInto(target, area.left, area.top); }));
        handOvers.push_back(HandOverMs(3, owner.get(), target));
        atOnce.push_back(SettledMs(2, [&] { CopyWithPngAtOnce(owner.get(), picture, content); }));
        std::vector<double> pastes;
        for (int i = 0; i < 2; ++i) {
            SettleClipboard();
            CaptureToClipboard(owner.get(), picture, content);
            SettleClipboard();
            pastes.push_back(bench::TimeMs(1, [](int) { PastePng(); }));
        }
        asked.push_back(bench::Median(pastes));
        pngs.push_back(MedianMs(1, 2, [&] { GlobalFree(EncodePng(sample)); }));
        blocks.push_back(MedianMs(1, 5, [&] { GlobalFree(target.PackDib()); }));
    }
    SettleClipboard();
    promise.Detach();
    GlobalFree(sample);
    using bench::Median;
    const double take = Median(takes), copy = Median(copies), floorMs = Median(floors), png = Median(atOnce),
                 paste = Median(asked), encode = Median(pngs), block = Median(blocks),
                 handOver = Median(handOvers);
    std::printf("\n%-11s %11s %11s %11s %11s %11s %11s %11s %11s\n", "copy", "grab+pack", "Copy", "PNG at once",
                "PNG asked", "PNG alone", "floor", "new block", "hand-over");
    std::printf("%-11s %11.3f %11.3f %11.3f %11.3f %11.3f %11.3f %11.3f %11.3f\n", "1920x1080", take, copy, png,
                paste, encode, floorMs, block, handOver);
    std::printf("%-11s %11.2f %11.2f %11.2f %11.2f %11.2f %11s %11.2f %11.2f\n", "x floor", take / floorMs,
                copy / floorMs, png / floorMs, paste / floorMs, encode / floorMs, "", block / floorMs,
                handOver / floorMs);
    std::printf("%-11s %11s %11.2f\n", "- hand-over", "", copy - handOver);
    std::puts("(milliseconds per copy, median of 15 rounds; Copy = the picture on the clipboard with its PNG");
    std::puts(" promised, PNG at once = the same with the PNG encoded and handed over at once; each timed after");
    std::puts(" the clipboard settled; floor = one screen block copy of that size into a ready surface; new");
    std::puts(" block = filling a newly allocated block of the packed size; hand-over = a ready block of that");
    std::puts(" size handed to the clipboard alone, timed the same way; - hand-over = Copy beyond it)");
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
    // One part alone, for profiling it: "--copy", "--live-resize" or "--lines".
    const bool linesAlone = argc > 1 && std::wcscmp(argv[1], L"--lines") == 0;
    if (argc > 1 && std::wcscmp(argv[1], L"--copy") == 0) {
        SetProcessDPIAware();
        BenchScreenCopy();
        return 0;
    }
    if (argc > 1 && std::wcscmp(argv[1], L"--live-resize") == 0) return BenchLiveResize() ? 0 : 1;
    if (argc > 1 && !linesAlone) return RunShapeWindow(argv[1]);
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
    if (linesAlone) {
        BenchGuideLines(ruler, window);
        DestroyWindow(window);
        return 0;
    }

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
