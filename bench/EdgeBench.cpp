#include "bench/EdgeBench.h"

#include "bench/BenchTiming.h"
#include "bench/EdgeAccuracy.h"
#include "copy/ScreenGrab.h"
#include "framework/DibSurface.h"
#include "measure/EdgeTool.h"
#include "ruler/CoordinateTip.h"
#include "ruler/LineDrag.h"
#include "ruler/MensuroDlg.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::TimeMs;

// Milliseconds per call of two workloads, medians of rounds that alternate between
// them, so a change of load on the machine touches both alike.
template <class A, class B>
void PairedMs(int rounds, int calls, A&& a, B&& b, double& msA, double& msB)
{
    std::vector<double> samplesA, samplesB;
    for (int r = 0; r < rounds; ++r) {
        samplesA.push_back(TimeMs(calls, a));
        samplesB.push_back(TimeMs(calls, b));
    }
    msA = Median(samplesA);
    msB = Median(samplesB);
}

// Something with edges under the inner area: a block of another colour on a plain window.
HWND ShowPanel(const RECT& screen)
{
    HWND panel = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE | SS_WHITERECT,
                                 screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(panel);
    bench::PumpMessages();
    return panel;
}

} // namespace

void BenchEdges(CMensuroDlg& ruler, HWND window)
{
    const int s = ruler.Thickness(), w = 1920, h = 1080;
    SetWindowPos(window, nullptr, 0, 0, w + 2 * s, h + 2 * s, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND panel = ShowPanel({s + 600, s + 300, s + 1300, s + 800});
    auto setLines = [&](std::vector<int32_t> xs) {
        ruler.ChangeModel([&](RulerModel& model) { model.lines.ReplaceAll(std::move(xs), {}); });
    };
    auto setSnap = [&](bool on) {
        ruler.ChangeModel([on](RulerModel& model) { SetOptionBit(model.options.Option, OptSnapEdges, on); });
    };
    CEdgeTool edges(ruler);
    setLines({});
    DibSurface floorSurface(w, h, 24);
    const POINT inPanel = {s + 900, s + 500};

    double grab = 0, search = 0;
    // The lines go again between rounds, outside the timing: their relayout is no part of the command.
    std::vector<double> grabRounds, commandRounds;
    for (int r = 0; r < 25; ++r) {
        grabRounds.push_back(TimeMs(1, [&](int) { GrabScreenInto(floorSurface, s, s); }));
        setLines({});
        commandRounds.push_back(TimeMs(1, [&](int) { edges.AddLinesAt(inPanel); }));
    }
    const double command = Median(commandRounds);
    // The scan alone (reading the row and the column through the point): the lines are
    // there, so nothing is added and nothing relaid out.
    PairedMs(
        25, 3, [&](int) { GrabScreenInto(floorSurface, s, s); }, [&](int) { edges.AddLinesAt(inPanel); }, grab, search);
    const size_t found = ruler.Model().lines.X().size() + ruler.Model().lines.Y().size();
    std::printf("\n%-24s %11s %11s %7s\n", "lines at edges", "ms", "grab", "ratio");
    std::printf("%-24s %11.3f %11.3f %7.2f\n", "scan, 1920x1080", search, grab, search / grab);
    std::printf("%-24s %11.3f %11.3f %7.2f\n", "scan + relayout, 4 lines", command, grab, command / grab);
    std::printf("(%zu lines found; grab = one screen block copy of the inner area's size)\n", found);

    // A drag of X line 900 back and forth over the panel's left edge (inner 600), with the
    // screen feedback and the tooltip of every move; snapping grabs once at the start.
    setLines({900});
    const uint32_t option = ruler.Model().options.Option;
    setSnap(true);
    std::vector<double> starts;
    for (int r = 0; r < 9; ++r) {
        starts.push_back(TimeMs(1, [&](int) { edges.OnLineDrag(true, true); }));
        edges.OnLineDrag(true, false);
    }
    const double start = Median(starts);
    CCoordinateTip tip;
    tip.Create(window);
    const RulerTools tools = {&edges};
    CLineDrag drag(ruler, tools, tip);
    const POINT anchor = {s + 900, s / 2};
    drag.Begin(true, 0, anchor);
    int step = 0;
    auto move = [&](int) { drag.OnModeMove({anchor.x - 280 - (step++ % 40), anchor.y}, false); };
    // The option changes between rounds, outside the timing: its relayout is no part of a move.
    std::vector<double> plainRounds, snappingRounds;
    for (int r = 0; r < 31; ++r) {
        setSnap(false);
        plainRounds.push_back(TimeMs(10, move));
        setSnap(true);
        snappingRounds.push_back(TimeMs(10, move));
    }
    const double plain = Median(plainRounds), snapping = Median(snappingRounds);
    drag.OnModeEnd(ModeExit::Cancel, anchor, false);
    ruler.ChangeModel([option](RulerModel& model) { model.options.Option = option; });
    std::printf("\n%-24s %11s %11s %7s\n", "drag move", "snapping", "plain", "ratio");
    std::printf("%-24s %11.3f %11.3f %7.2f\n", "X line, 1920x1080", snapping, plain, snapping / plain);
    std::printf("(milliseconds per move, median of 31 rounds of 10; the drag's start with snapping,\n"
                " grab and edge strengths, takes %.3f ms once)\n",
                start);

    // Four rays from a point over a frozen grab of the whole screen, as a measuring mode
    // reads them: from inside the panel, and from the empty desktop, where every ray runs
    // to the screen's side.
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    DibSurface screen(sw, sh, 24);
    GrabScreenInto(screen, 0, 0);
    const PixelBlock block = BottomUpBlock(screen.Pixels(), sw, sh);
    const int32_t tolerance = ruler.Model().options.EdgeTolerance;
    std::printf("\n%-24s %11s\n", "four rays", "ms");
    for (const POINT& p : {POINT{s + 900, s + 500}, POINT{sw - 300, sh - 300}}) {
        EdgeArea area;
        const double rays = bench::MedianMs(25, 20, [&] { area = ScanArea(block, {}, p.x, p.y, tolerance); });
        std::printf("%-24s %11.4f  (%ld, %ld): columns %d..%d, rows %d..%d\n", p.x < sw / 2 ? "from the panel" : "from the desktop",
                    rays, p.x, p.y, area.left, area.right, area.top, area.bottom);
    }
    std::printf("(milliseconds per four rays on a %dx%d grab, median of 25 rounds of 20)\n", sw, sh);
    DestroyWindow(panel);
    PrintEdgeAccuracy();
}
