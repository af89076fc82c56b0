// "Copy": after the delay, the screen under the ruler goes onto the clipboard.
#include "copy/ScreenCopy.h"

#include "copy/CopyRules.h"
#include "copy/DibSurface.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"
#include "ruler/MensuroDlg.h"
#include "ruler/Win32Rect.h"

#include <algorithm>

namespace {

// Holds the clipboard open for a scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard()
    {
        if (m_open) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

// The cursor the user sees now, whichever program set it; null when hidden.
HCURSOR CurrentCursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetCursorInfo(&info)) return GetCursor();
    if (!(info.flags & CURSOR_SHOWING)) return nullptr;
    // Some systems name no cursor for the screen as a whole; this thread's is the next best.
    return info.hCursor ? info.hCursor : GetCursor();
}

void DrawCursor(HDC dc, const WindowRect& area, int32_t offsetX, int32_t offsetY)
{
    const HCURSOR cursor = CurrentCursor();
    POINT pointer = {};
    if (!cursor || !GetCursorPos(&pointer)) return;
    const CapturePoint at = CursorImageOrigin({pointer.x, pointer.y}, offsetX, offsetY, area);
    // DrawIcon draws at the system's icon size and clips to the surface.
    DrawIcon(dc, at.x, at.y, cursor);
}

} // namespace

void StartCopy(HWND ruler, int32_t delayMs)
{
    // The same id on the same window replaces a running timer.
    SetTimer(ruler, kCopyTimerId, static_cast<UINT>(std::max(delayMs, 0)), nullptr);
}

HGLOBAL CaptureDib(const WindowRect& area, bool withCursor, int32_t offsetX, int32_t offsetY)
{
    DibSurface surface;
    if (!surface.Create(area.Width(), area.Height(), 24)) return nullptr;
    // A failed screen read would pass a blank picture off as the screen.
    if (!surface.GrabScreen(area.left, area.top)) return nullptr;
    if (withCursor) DrawCursor(surface.GetDC(), area, offsetX, offsetY);
    return surface.PackDib();
}

bool HandDibToClipboard(HGLOBAL block)
{
    if (!block) return false;
    // Once SetClipboardData succeeds the clipboard owns the block; until then it is ours.
    if (EmptyClipboard() && SetClipboardData(CF_DIB, block)) return true;
    GlobalFree(block);
    return false;
}

bool CaptureToClipboard(HWND ruler, const RulerOptions& options, int32_t thickness)
{
    RECT window = {};
    if (!GetWindowRect(ruler, &window)) return false;
    const WindowRect area = CaptureRect(FromRect(window), (options.Option & OptCopyScale) != 0, thickness);
    if (area.IsEmpty()) return false;
    OpenedClipboard clipboard(ruler);
    if (!clipboard.IsOpen()) return false;
    return HandDibToClipboard(
        CaptureDib(area, (options.Option & OptCopyCursor) != 0, options.CopyOffsetX, options.CopyOffsetY));
}

void ReportCopyResult(HWND ruler, const RulerOptions& options, bool success)
{
    if (!(options.Option & OptCopyMessage)) return;
    if (success)
        StringMessageBox(ruler, IDS_COPY_DONE, MB_OK | MB_ICONINFORMATION);
    else
        StringMessageBox(ruler, IDS_COPY_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

void CMensuroDlg::OnCmdCopy()
{
    StartCopy(m_hWnd, CopyTimer);
}

LRESULT CMensuroDlg::OnTimer(WPARAM wParam, LPARAM)
{
    const UINT_PTR id = wParam;
    // Every timer here is a one-shot.
    KillTimer(m_hWnd, id);
    if (id == kCopyTimerId) ReportCopyResult(m_hWnd, *this, CaptureToClipboard(m_hWnd, *this, Thickness()));
    return Default();
}
