// The keyboard: one-pixel pointer steps, lines added and deleted at the pointer,
// Esc to cancel a mouse mode, and the message filter that keeps dialog keys away from the ruler.
#include "ruler/MensuroDlg.h"

#include <commctrl.h>

namespace {

struct PointerStep {
    WPARAM key;
    int dx, dy;
};

constexpr PointerStep kPointerSteps[] = {
    {VK_LEFT, -1, 0},    {VK_NUMPAD4, -1, 0}, {VK_RIGHT, 1, 0},     {VK_NUMPAD6, 1, 0},
    {VK_UP, 0, -1},      {VK_NUMPAD8, 0, -1}, {VK_DOWN, 0, 1},      {VK_NUMPAD2, 0, 1},
    {VK_NUMPAD1, -1, 1}, {VK_NUMPAD3, 1, 1},  {VK_NUMPAD7, -1, -1}, {VK_NUMPAD9, 1, -1},
};

} // namespace

LRESULT CMensuroDlg::OnKeyDown(WPARAM key, LPARAM)
{
    if (OnLoupeKey(key)) return 0;
    if (m_edges.OnKeyDown(key)) return Default();
    for (const PointerStep& step : kPointerSteps) {
        if (step.key != key) continue;
        POINT p = {};
        GetCursorPos(&p);
        SetCursorPos(p.x + step.dx, p.y + step.dy);
        return Default();
    }
    if (key == VK_ESCAPE) EndMouseMode(ModeExit::Cancel);
    // Insert and Delete wait for a mode to end: they would move the anchor and the
    // line under the drag.
    if ((key == VK_INSERT || key == VK_DELETE) && m_mouseMode == MouseIdle) {
        GetCursorPos(&m_anchor);
        ScreenToClient(m_hWnd, &m_anchor);
        if (key == VK_INSERT)
            AddLine();
        else
            DeleteLine();
    }
    return Default();
}

bool CMensuroDlg::PreTranslateMessage(MSG& msg)
{
    const bool ours = msg.hwnd == m_hWnd || IsChild(m_hWnd, msg.hwnd);
    // Every key press goes to the ruler's own handler; dialog keys never end it.
    if (msg.message == WM_KEYDOWN && ours) {
        SendMessageW(m_hWnd, WM_KEYDOWN, msg.wParam, msg.lParam);
        return true;
    }
    if ((Option & OptTooltip) && m_toolTip && ours)
        SendMessageW(m_toolTip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    return CModalDialog::PreTranslateMessage(msg);
}
