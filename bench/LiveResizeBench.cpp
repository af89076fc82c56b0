#include "bench/LiveResizeBench.h"

#include "bench/BenchTiming.h"
#include "bench/ShapedWindowBench.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::MedianMs;

HWND WaitForWindow(const wchar_t* title)
{
    for (int i = 0; i < 400; ++i) {
        if (HWND window = FindWindowW(nullptr, title)) return window;
        Sleep(50);
    }
    return nullptr;
}

PROCESS_INFORMATION Start(const std::wstring& commandLine)
{
    std::wstring command = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    return process;
}

// One live-resize step as a user's drag makes it: a size change sent from another process,
// which returns once the window has handled it (new surface, relayout, shape), between the
// size and 20 pixels less each way.
double ResizeStepMs(HWND window, SIZE size)
{
    bool big = false;
    return MedianMs(1, 20, [&] {
        big = !big;
        SetWindowPos(window, nullptr, 0, 0, big ? size.cx : size.cx - 20, big ? size.cy : size.cy - 20,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

struct Contender {
    const char* label;
    const wchar_t* title;
    POINT at; // its quarter of the screen
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    std::vector<double> steps = {}, overPlain = {}, overRegion = {};
};

// The steps of every window at one size.
struct SizeRow {
    SIZE size;
    int rounds;
    std::vector<Contender> results;
};

void PrintRatio(const std::vector<double>& ratios)
{
    if (ratios.empty())
        std::printf(" %9s", "");
    else
        std::printf(" %9.2f", bench::Median(ratios));
}

void PrintSteps(const std::vector<SizeRow>& rows)
{
    std::printf("\n%-24s %11s %9s %9s\n", "live-resize step", "ms", "/ plain", "/ region");
    for (const SizeRow& row : rows) {
        std::printf("%ldx%ld <-> %ldx%ld, %d rounds\n", row.size.cx, row.size.cy, row.size.cx - 20, row.size.cy - 20,
                    row.rounds);
        for (const Contender& c : row.results) {
            std::printf("%-24s %11.3f", c.label, bench::Median(c.steps));
            PrintRatio(c.overPlain);
            PrintRatio(c.overRegion);
            std::puts("");
        }
    }
    std::puts("(milliseconds per step, median of the rounds of 20 steps, the four windows in turn; / plain\n"
              " and / region = median of the rounds' ratios to plain and to plain + region; plain + region\n"
              " sets the ruler's window region on every step; colour key is a layered window with its inner\n"
              " area in a colour key and no region; at 3840x2160 each window shows alone for its turn)");
}

// Each window in a quarter of the 3840 x 2160 screen of its own, so that no window's step
// exposes another's pixels; a window of the whole screen's size cannot have one, so there
// each shows alone at the screen's corner for its turn, the others hidden, and paints first.
void Place(const std::vector<Contender>& all, size_t turn, SIZE size, bool first)
{
    const bool whole = size.cx > 1920 || size.cy > 1080;
    if (!whole && !first) return;
    for (size_t i = 0; i < all.size(); ++i) {
        const Contender& c = all[i];
        if (!whole) {
            SetWindowPos(c.window, nullptr, c.at.x, c.at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        const UINT show = i == turn ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        SetWindowPos(c.window, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | show);
    }
    if (whole) Sleep(300);
}

} // namespace

bool BenchLiveResize()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring self = path;
    const std::wstring folder = self.substr(0, self.find_last_of(L"\\/") + 1);

    // Each in a quarter of the 3840 x 2160 screen of its own, so that no window's step exposes
    // another's pixels.
    enum { Ruler, Plain, Region, Key };
    std::vector<Contender> all = {
        {"ruler", L"Mensuro", {1920, 1080}},
        {"plain", ShapeWindowTitle(ShapeKind::Plain), {0, 0}},
        {"plain + region", ShapeWindowTitle(ShapeKind::Region), {1920, 0}},
        {"colour key", ShapeWindowTitle(ShapeKind::ColourKey), {0, 1080}},
    };
    all[Ruler].process = Start(L"\"" + folder + L"Mensuro.exe\"");
    for (Contender& c : all)
        if (&c != &all[Ruler]) c.process = Start(L"\"" + self + L"\" " + c.title);
    bool up = true;
    for (Contender& c : all) {
        c.window = WaitForWindow(c.title);
        if (!c.window) {
            std::fprintf(stderr, "live-resize step: the %s window did not come up\n", c.label);
            up = false;
        }
    }
    if (up) {
        std::vector<SizeRow> rows = {{{400, 300}, 7, {}}, {{1920, 1080}, 15, {}}, {{3840, 2160}, 7, {}}};
        for (SizeRow& row : rows) {
            Place(all, 0, row.size, true);
            // The windows take turns within every round, so a change of load touches all alike;
            // the ratios are taken within each round, so a change of load between rounds moves
            // both of their terms, not the ratio.
            for (int round = 0; round < row.rounds; ++round) {
                for (size_t i = 0; i < all.size(); ++i) {
                    Place(all, i, row.size, false);
                    all[i].steps.push_back(ResizeStepMs(all[i].window, row.size));
                }
                const double plain = all[Plain].steps.back(), region = all[Region].steps.back();
                for (int i : {Ruler, Region, Key}) all[i].overPlain.push_back(all[i].steps.back() / plain);
                for (int i : {Ruler, Key}) all[i].overRegion.push_back(all[i].steps.back() / region);
            }
            row.results = all;
            for (Contender& c : all) c.steps.clear(), c.overPlain.clear(), c.overRegion.clear();
        }
        // The shape check that follows wants every window back.
        for (const Contender& c : all)
            SetWindowPos(c.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        PrintSteps(rows);
    }
    if (all[Ruler].window) PostMessageW(all[Ruler].window, WM_COMMAND, IDOK, 0);
    for (Contender& c : all) {
        if (c.window && &c != &all[Ruler]) PostMessageW(c.window, WM_CLOSE, 0, 0);
    }
    for (Contender& c : all) {
        if (!c.process.hProcess) continue;
        if (WaitForSingleObject(c.process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(c.process.hProcess, 1);
        CloseHandle(c.process.hProcess);
        CloseHandle(c.process.hThread);
    }
    CheckShapes();
    return up;
}
