#include "copy/OpenedClipboard.h"

#include "framework/Handles.h"

#include <cstring>

namespace {

// Long enough for another program's read of the clipboard, short enough not to be felt.
constexpr DWORD kOpenWaitMs = 100;
constexpr DWORD kRetryMs = 10;

} // namespace

OpenedClipboard::OpenedClipboard(HWND owner)
{
    const DWORD start = GetTickCount();
    while (!(m_open = OpenClipboard(owner) != FALSE) && GetTickCount() - start < kOpenWaitMs) Sleep(kRetryMs);
}

OpenedClipboard::~OpenedClipboard()
{
    if (m_open) CloseClipboard();
}

bool PutTextOnClipboard(HWND owner, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    void* data = block.get() ? GlobalLock(block.get()) : nullptr;
    if (!data) return false;
    std::memcpy(data, text.c_str(), bytes);
    GlobalUnlock(block.get());
    const OpenedClipboard clipboard(owner);
    // Once SetClipboardData succeeds the clipboard owns the block.
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block.get())) return false;
    block.release();
    return true;
}
