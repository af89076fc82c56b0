#include "bench/EdgeBench.h"

#include "bench/BenchTiming.h"
#include "copy/DibSurface.h"
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
    ruler.m_linesX.clear();
    ruler.m_linesY.clear();
    DibSurface floorSurface(w, h, 24);
    const POINT inPanel = {s + 900, s + 500};

    double grab = 0, search = 0, command = 0;
    PairedMs(
        25, 3, [&](int) { floorSurface.GrabScreen(s, s); },
        [&](int) {
            ruler.m_linesX.clear();
            ruler.m_linesY.clear();
            ruler.m_edges.AddLinesAt(inPanel);
        },
        grab, command);
    // The scan alone (reading the row and the column through the point): the lines are
    // there, so nothing is added and nothing relaid out.
    PairedMs(
        25, 3, [&](int) { floorSurface.GrabScreen(s, s); }, [&](int) { ruler.m_edges.AddLinesAt(inPanel); }, grab,
        search);
    const size_t found = ruler.m_linesX.size() + ruler.m_linesY.size();
    std::printf("\n%-24s %11s %11s %7s\n", "lines at edges", "ms", "grab", "ratio");
    std::printf("%-24s %11.3f %11.3f %7.2f\n", "scan, 1920x1080", search, grab, search / grab);
    std::printf("%-24s %11.3f %11.3f %7.2f\n", "scan + relayout, 4 lines", command, grab, command / grab);
    std::printf("(%zu lines found; grab = one screen block copy of the inner area's size)\n", found);

    // A drag of X line 900 back and forth over the panel's left edge (inner 600), with the
    // screen feedback and the tooltip of every move; snapping grabs once at the start.
    ruler.m_linesX.assign(1, 900);
    ruler.m_linesY.clear();
    ruler.Relayout();
    ruler.m_hotKind = HotX;
    ruler.m_hotIndex = 0;
    ruler.m_hotValue = 900;
    int step = 0;
    auto move = [&](int) { ruler.DragLine(-280 - (step++ % 40), 0); };
    const uint32_t option = ruler.Option;
    std::vector<double> starts;
    ruler.Option = option | OptSnapEdges;
    for (int r = 0; r < 9; ++r) starts.push_back(TimeMs(1, [&](int) { ruler.m_edges.BeginDrag(true); }));
    const double start = Median(starts);
    double plain = 0, snapping = 0;
    PairedMs(
        31, 10,
        [&](int i) {
            ruler.Option = option & ~OptSnapEdges;
            move(i);
        },
        [&](int i) {
            ruler.Option = option | OptSnapEdges;
            move(i);
        },
        plain, snapping);
    ruler.Option = option;
    ruler.Relayout();
    std::printf("\n%-24s %11s %11s %7s\n", "drag move", "snapping", "plain", "ratio");
    std::printf("%-24s %11.3f %11.3f %7.2f\n", "X line, 1920x1080", snapping, plain, snapping / plain);
    std::printf("(milliseconds per move, median of 31 rounds of 10; the drag's start with snapping,\n"
                " grab and edge strengths, takes %.3f ms once)\n",
                start);
    DestroyWindow(panel);
}
