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
