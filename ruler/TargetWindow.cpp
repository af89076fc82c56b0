#include "ruler/TargetWindow.h"

#include "ruler/MonitorList.h"
#include "ruler/TargetFrame.h"
#include "ruler/Win32Rect.h"

#include <dwmapi.h>

namespace {

// Looked up at run time and kept, as an import would be: the program still starts
// where dwmapi.dll is missing, and then keeps the window rectangle.
decltype(&::DwmGetWindowAttribute) DwmAttributeReader()
{
    static const auto reader = [] {
        const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<decltype(&::DwmGetWindowAttribute)>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
                   : nullptr;
    }();
    return reader;
}

} // namespace

WindowRect VisibleFrameOf(HWND window)
{
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return WindowRect();
    const bool child = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
    std::optional<WindowRect> extended;
    RECT bounds = {};
    const auto read = child ? nullptr : DwmAttributeReader();
    if (read && SUCCEEDED(read(window, DWMWA_EXTENDED_FRAME_BOUNDS, &bounds, sizeof(bounds))))
        extended = FromRect(bounds);
    return ChooseVisibleFrame(child, FromRect(rect), extended);
}

WindowRect MonitorOfTarget(const WindowRect& frame)
{
    return ChooseTargetMonitor(frame, MonitorRects());
}
