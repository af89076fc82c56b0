#include "shell/RulerMoves.h"

#include "ruler/MonitorList.h"
#include "ruler/Win32Rect.h"

namespace {

void MoveWindowTo(HWND window, int x, int y)
{
    // What a mouse mode draws on the screen stands where the window stood: the mode ends
    // (a dragged line goes back) before the window moves away from under it.
    SendMessageW(window, WM_CANCELMODE, 0, 0);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void BringRulerForward(HWND ruler, POINT inner, bool toPointer)
{
    if (IsIconic(ruler)) ShowWindow(ruler, SW_RESTORE);
    if (!IsWindowVisible(ruler)) ShowWindow(ruler, SW_SHOW);
    RECT window = {};
    POINT pointer = {};
    if (toPointer && GetWindowRect(ruler, &window) && GetCursorPos(&pointer)) {
        const WindowRect placed =
            RulerAtPointer(FromRect(window), inner.x, inner.y, pointer.x, pointer.y, MonitorRects());
        MoveWindowTo(ruler, placed.left, placed.top);
    }
    // A disabled ruler has a dialog open: that is the window to work in.
    const HWND active = GetLastActivePopup(ruler);
    SetForegroundWindow(active ? active : ruler);
}

void MoveRulerBy(HWND ruler, const RulerStep& step)
{
    RECT window = {};
    if (GetWindowRect(ruler, &window)) MoveWindowTo(ruler, window.left + step.dx, window.top + step.dy);
}
