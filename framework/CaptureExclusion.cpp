#include "framework/CaptureExclusion.h"

namespace {

template <class F>
F Lookup(const wchar_t* module, const char* name)
{
    HMODULE handle = GetModuleHandleW(module);
    if (!handle) handle = LoadLibraryW(module);
    return handle ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

} // namespace

void ExcludeFromCapture(HWND window)
{
    using SetAffinityFn = BOOL(WINAPI*)(HWND, DWORD);
    static const auto setAffinity = Lookup<SetAffinityFn>(L"user32.dll", "SetWindowDisplayAffinity");
    constexpr DWORD kExcludeFromCapture = 0x11; // WDA_EXCLUDEFROMCAPTURE
    if (window && setAffinity) setAffinity(window, kExcludeFromCapture);
}

HiddenForGrab::HiddenForGrab(const std::vector<HWND>& windows)
{
    for (HWND window : windows) {
        if (!window || !IsWindowVisible(window)) continue;
        RECT rect = {};
        GetWindowRect(window, &rect);
        ShowWindow(window, SW_HIDE);
        m_hidden.push_back(window);
        // The windows below paint what the hidden one covered now, not some time later:
        // the grab that follows reads the screen at once.
        RedrawWindow(GetDesktopWindow(), &rect, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
    }
    if (m_hidden.empty()) return;
    // With a compositor, the screen shows the change from its next frame on.
    using FlushFn = HRESULT(WINAPI*)();
    static const auto flush = Lookup<FlushFn>(L"dwmapi.dll", "DwmFlush");
    if (flush) flush();
}

HiddenForGrab::~HiddenForGrab()
{
    for (HWND window : m_hidden)
        if (IsWindow(window)) ShowWindow(window, SW_SHOWNOACTIVATE);
}
