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
// which returns once the window has handled it (new surface, relayout, shape).
double ResizeStepMs(HWND window)
{
    bool big = false;
    return MedianMs(1, 20, [&] {
        big = !big;
        SetWindowPos(window, nullptr, 0, 0, big ? 1920 : 1900, big ? 1080 : 1060,
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

void PrintRatio(const std::vector<double>& ratios)
{
    if (ratios.empty())
        std::printf(" %9s", "");
    else
        std::printf(" %9.2f", bench::Median(ratios));
}

void PrintSteps(const std::vector<Contender>& all)
{
    std::printf("\n%-24s %11s %9s %9s\n", "live-resize step", "ms", "/ plain", "/ region");
    std::puts("1920x1080 <-> 1900x1060");
    for (const Contender& c : all) {
        std::printf("%-24s %11.3f", c.label, bench::Median(c.steps));
        PrintRatio(c.overPlain);
        PrintRatio(c.overRegion);
        std::puts("");
    }
    std::puts("(milliseconds per step, median of 15 rounds of 20, the four windows in turn; / plain and\n"
              " / region = median of the rounds' ratios to plain and to plain + region; plain + region sets\n"
              " the ruler's window region on every step; colour key is a layered window with its inner area\n"
              " in a colour key and no region)");
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
        for (const Contender& c : all)
            SetWindowPos(c.window, nullptr, c.at.x, c.at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The windows take turns within every round, so a change of load touches all alike; the
        // ratios are taken within each round, so a change of load between rounds moves both of
        // their terms, not the ratio.
        for (int round = 0; round < 15; ++round) {
            for (Contender& c : all) c.steps.push_back(ResizeStepMs(c.window));
            const double plain = all[Plain].steps.back(), region = all[Region].steps.back();
            for (int i : {Ruler, Region, Key}) all[i].overPlain.push_back(all[i].steps.back() / plain);
            for (int i : {Ruler, Key}) all[i].overRegion.push_back(all[i].steps.back() / region);
        }
        PrintSteps(all);
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
