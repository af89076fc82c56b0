#include "ruler/MonitorRect.h"

#include "ruler/Win32Rect.h"

namespace {

// The multi-monitor functions, looked up by name once: systems without them
// still run the ruler, on the primary screen.
struct MonitorApi {
    decltype(&::GetSystemMetrics) getSystemMetrics = nullptr;
    decltype(&::MonitorFromWindow) monitorFromWindow = nullptr;
    decltype(&::MonitorFromRect) monitorFromRect = nullptr;
    decltype(&::MonitorFromPoint) monitorFromPoint = nullptr;
    decltype(&::EnumDisplayMonitors) enumDisplayMonitors = nullptr;
    decltype(&::GetMonitorInfoA) getMonitorInfoA = nullptr;
    bool available = false;
};

template <class F>
void Lookup(HMODULE module, const char* name, F& function)
{
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const MonitorApi& Api()
{
    static const MonitorApi api = [] {
        MonitorApi a;
        if (HMODULE user = GetModuleHandleA("USER32")) {
            Lookup(user, "GetSystemMetrics", a.getSystemMetrics);
            Lookup(user, "MonitorFromWindow", a.monitorFromWindow);
            Lookup(user, "MonitorFromRect", a.monitorFromRect);
            Lookup(user, "MonitorFromPoint", a.monitorFromPoint);
            Lookup(user, "EnumDisplayMonitors", a.enumDisplayMonitors);
            Lookup(user, "GetMonitorInfoA", a.getMonitorInfoA);
        }
        a.available = a.getSystemMetrics && a.monitorFromWindow && a.monitorFromRect && a.monitorFromPoint &&
                      a.enumDisplayMonitors && a.getMonitorInfoA;
        return a;
    }();
    return api;
}

WindowRect PrimaryScreen()
{
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

WindowRect RectOfMonitor(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!monitor || !Api().getMonitorInfoA(monitor, &info)) return PrimaryScreen();
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

} // namespace

WindowRect MonitorRectOf(HWND window)
{
    if (!Api().available) return PrimaryScreen();
    return RectOfMonitor(Api().monitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

WindowRect NearestMonitorRect(const WindowRect& rect)
{
    if (!Api().available) return PrimaryScreen();
    const RECT r = ToRect(rect);
    return RectOfMonitor(Api().monitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

bool IsOnAnyMonitor(const WindowRect& rect)
{
    const RECT r = ToRect(rect);
    if (!Api().available) {
        const WindowRect s = PrimaryScreen();
        return r.left < s.right && r.right > s.left && r.top < s.bottom && r.bottom > s.top;
    }
    return Api().monitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

int WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = [] {
        HMODULE user = GetModuleHandleA("USER32");
        return user ? reinterpret_cast<GetDpiForWindowFn>(
                          reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))
                    : nullptr;
    }();
    int dpi = getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
    if (dpi <= 0) {
        HDC screen = GetDC(nullptr);
        dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

int MonitorDpi(HMONITOR monitor)
{
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    // Loaded once and kept for the life of the process, as an import would be.
    static const auto getDpiForMonitor = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    UINT dpiX = 0, dpiY = 0;
    if (getDpiForMonitor && getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY) == S_OK && dpiY > 0)
        return static_cast<int>(dpiY);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int DpiWhereRectGoes(HWND window, const WindowRect& rect)
{
    if (!Api().available) return WindowDpi(window);
    const RECT r = ToRect(rect);
    const HMONITOR target = Api().monitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    if (!target || target == Api().monitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) return WindowDpi(window);
    return MonitorDpi(target);
}
