// Times one loupe update (grab, magnify, readout, show) at zoom 8 against its floor: one
// StretchBlt of the same screen pixels to a memory surface of the image's size plus one
// copy of it to a window; and the same update with the readout in millimetres beside the
// one in pixels. Then the real Mensuro.exe's CPU use with the loupe on and the pointer
// still for 5 s, beside the same with the loupe off.
#include "bench/BenchTiming.h"
#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "measure/LoupeWnd.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using bench::MedianMs;
using bench::PumpMessages;
const wchar_t kRegistryKey[] = L"SOFTWARE\\Veltrin's Applications\\Mensuro\\CMensuroDlg";

HWND PlainWindow(int width, int height)
{
    static const wchar_t kClass[] = L"MensuroLoupeBenchPlain";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, kClass, WS_POPUP | WS_VISIBLE, 900, 100, width,
                           height, nullptr, nullptr, wc.hInstance, nullptr);
}

void BenchUpdate()
{
    // The ruler's inner area of the relayout benchmark at 1920 x 1080, read in pixels or in millimetres.
    const ScreenBasis basis{96, kAssumedPixelsPerMetre};
    const CLoupeWnd::InnerArea pixels{{40, 40}, UnitAxis(), UnitAxis()};
    const CLoupeWnd::InnerArea millimetres{
        {40, 40}, UnitAxis(Unit::Millimetres, basis, 1840), UnitAxis(Unit::Millimetres, basis, 1000)};
    CLoupeWnd::InnerArea area = pixels;
    CLoupeWnd loupe([&area] { return area; });
    SetCursorPos(400, 300);
    if (!loupe.Show(nullptr, 8)) {
        std::puts("could not show the loupe");
        return;
    }
    PumpMessages();
    const LoupeSize size = LoupeSizeAt(96);
    const int32_t radius = LoupeGrabRadius(size.imageSide, 8), side = 2 * radius + 1;
    DibSurface target(size.imageSide, size.imageSide, 32);
    OwnedWindow plain;
    plain.reset(PlainWindow(size.width, size.height));
    PumpMessages();

    std::vector<double> still, moving, stillMm, movingMm, floors, moveFloors;
    int step = 0;
    // The floor of one update, and the same with the window moved by a pixel, as the loupe is.
    const auto floor = [&](bool move) {
        const WindowDC screen(nullptr);
        StretchBlt(target.GetDC(), 0, 0, size.imageSide, size.imageSide, screen.get(), 400 - radius, 300 - radius,
                   side, side, SRCCOPY);
        if (move)
            SetWindowPos(plain.get(), nullptr, 900 + (++step & 1), 100, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const WindowDC window(plain.get());
        target.BlitTo(window.get(), 0, 0);
    };
    for (int round = 0; round < 15; ++round) {
        area = pixels;
        still.push_back(MedianMs(1, 20, [&] { loupe.Update({400, 300}); }));
        // Each update one pixel on: the window moves with the pointer.
        moving.push_back(MedianMs(1, 20, [&] { loupe.Update({400 + (++step & 1), 300}); }));
        area = millimetres;
        stillMm.push_back(MedianMs(1, 20, [&] { loupe.Update({400, 300}); }));
        movingMm.push_back(MedianMs(1, 20, [&] { loupe.Update({400 + (++step & 1), 300}); }));
        floors.push_back(MedianMs(1, 20, [&] { floor(false); }));
        moveFloors.push_back(MedianMs(1, 20, [&] { floor(true); }));
        PumpMessages();
    }
    using bench::Median;
    const double s = Median(still), m = Median(moving), f = Median(floors), mf = Median(moveFloors);
    const double sMm = Median(stillMm), mMm = Median(movingMm);
    std::printf("%-26s %9s %9s %7s %11s %7s %9s\n", "loupe update, zoom 8", "loupe", "floor", "ratio", "floor+move",
                "ratio", "/ pixels");
    std::printf("%-26s %9.3f %9.3f %7.2f\n", "same point", s, f, s / f);
    std::printf("%-26s %9.3f %9.3f %7.2f %11.3f %7.2f\n", "pointer moving (1 px)", m, f, m / f, mf, m / mf);
    std::printf("%-26s %9.3f %9.3f %7.2f %11s %7s %9.2f\n", "same point, in mm", sMm, f, sMm / f, "", "", sMm / s);
    std::printf("%-26s %9.3f %9.3f %7.2f %11.3f %7.2f %9.2f\n", "pointer moving, in mm", mMm, f, mMm / f, mf, mMm / mf,
                mMm / m);
    std::printf("(milliseconds per update, median of 15 rounds of 20; %dx%d pixels read, %d px image;\n", side, side,
                size.imageSide);
    std::puts(" floor = one StretchBlt of those pixels to a surface of the image's size + one copy to a window;");
    std::puts(" floor+move = the same with that window moved by a pixel, as the loupe moves with the pointer;");
    std::puts(" in mm = the readout in millimetres, / pixels = that update against the same in pixels)");
}

std::optional<DWORD> ReadOption()
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kRegistryKey, L"Option", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void WriteOption(DWORD value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"Option", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

double Seconds(const FILETIME& t)
{
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
}

// The layout NtQuerySystemInformation(SystemProcessInformation) fills: each process, then its threads.
struct ThreadTimes {
    LARGE_INTEGER kernelTime, userTime, createTime;
    ULONG waitTime;
    PVOID startAddress;
    HANDLE processId, threadId;
    LONG priority, basePriority;
    ULONG contextSwitches, threadState, waitReason;
};
struct ProcessEntry {
    ULONG nextEntryOffset, threadCount;
    LARGE_INTEGER workingSetPrivate;
    ULONG hardFaults, threadsHighWatermark;
    ULONGLONG cycleTime;
    LARGE_INTEGER createTime, userTime, kernelTime;
    struct {
        USHORT length, maximumLength;
        PWSTR buffer;
    } imageName;
    LONG basePriority;
    HANDLE processId, parentProcessId;
    ULONG handleCount, sessionId;
    ULONG_PTR processKey;
    SIZE_T vmCounters[12]; // VM_COUNTERS_EX; its page-fault count sits in a SIZE_T-aligned slot
    IO_COUNTERS io;
    ThreadTimes threads[1];
};

// Wine gives no other process's times through GetProcessTimes; it does give each thread's
// (from the kernel) in the system's process list, as Windows does.
double ThreadCpuSeconds(DWORD pid)
{
    using QueryFn = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    if (query(5 /* SystemProcessInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) < 0) return 0;
    for (size_t at = 0;;) {
        const auto* entry = reinterpret_cast<const ProcessEntry*>(buffer.data() + at);
        if (reinterpret_cast<ULONG_PTR>(entry->processId) == pid) {
            double seconds = 0;
            for (ULONG i = 0; i < entry->threadCount; ++i)
                seconds += (entry->threads[i].kernelTime.QuadPart + entry->threads[i].userTime.QuadPart) / 1e7;
            return seconds;
        }
        if (!entry->nextEntryOffset) return 0;
        at += entry->nextEntryOffset;
    }
}

double ProcessCpuSeconds(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return Seconds(kernel) + Seconds(user);
}

struct CpuUse {
    double processTimes = -1; // percent of one core from GetProcessTimes
    double threadTimes = -1;  // the same from the threads' times
};

// Percent of one core the real program uses over 5 s with the pointer still.
CpuUse IdleCpu(bool loupeOn, const std::wstring& exe)
{
    WriteOption(loupeOn ? 0x100F : 0x000F);
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {};
    HWND ruler = nullptr;
    for (int i = 0; i < 200 && !ruler; ++i) {
        ruler = FindWindowW(nullptr, L"Mensuro");
        if (!ruler) Sleep(50);
    }
    bool loupeUp = !loupeOn;
    for (int i = 0; i < 100 && !loupeUp; ++i) {
        loupeUp = FindWindowW(L"MensuroLoupe", nullptr) != nullptr;
        if (!loupeUp) Sleep(50);
    }
    CpuUse use;
    if (ruler && loupeUp) {
        SetCursorPos(300, 300);
        Sleep(1500);
        const double before = ProcessCpuSeconds(process.hProcess);
        const double threadsBefore = ThreadCpuSeconds(process.dwProcessId);
        const auto start = bench::Clock::now();
        Sleep(5000);
        const double elapsed = std::chrono::duration<double>(bench::Clock::now() - start).count();
        use.processTimes = 100.0 * (ProcessCpuSeconds(process.hProcess) - before) / elapsed;
        use.threadTimes = 100.0 * (ThreadCpuSeconds(process.dwProcessId) - threadsBefore) / elapsed;
    }
    if (ruler) PostMessageW(ruler, WM_COMMAND, IDOK, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return use;
}

void BenchIdleCpu()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring self = path;
    const std::wstring exe = self.substr(0, self.find_last_of(L"\\/") + 1) + L"Mensuro.exe";
    const std::optional<DWORD> saved = ReadOption();
    const CpuUse on = IdleCpu(true, exe), off = IdleCpu(false, exe);
    if (saved) WriteOption(*saved);
    std::printf("\n%-34s %9s %9s\n", "Mensuro.exe, pointer still for 5 s", "loupe on", "off");
    std::printf("%-34s %8.2f%% %8.2f%%\n", "CPU, GetProcessTimes", on.processTimes, off.processTimes);
    std::printf("%-34s %8.2f%% %8.2f%%\n", "CPU, its threads' times", on.threadTimes, off.threadTimes);
    std::puts("(percent of one core; Wine's GetProcessTimes does not advance for another process, the");
    std::puts(" threads' times in the system's process list do; the Wine server's share is not counted)");
}

} // namespace

int wmain()
{
    SetProcessDPIAware();
    BenchUpdate();
    BenchIdleCpu();
    return 0;
}
