#include "copy/OpenedClipboard.h"

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
