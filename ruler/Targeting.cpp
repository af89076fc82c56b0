// Window targeting with the right button: drag onto another window to fit the
// ruler around it, or (Ctrl) that window into the ruler. A click opens the menu.
#include "ruler/MensuroDlg.h"

#include "framework/GdiHolders.h"
#include "framework/Handles.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"
#include "ruler/Geometry.h"
#include "ruler/MonitorRect.h"
#include "ruler/Win32Rect.h"

POINT CMensuroDlg::ScreenToClientPoint(LPARAM lParam) const
{
    POINT p = PointFromLParam(lParam);
    ScreenToClient(m_hWnd, &p);
    return p;
}

void CMensuroDlg::StartTargeting(POINT p)
{
    // A press while a mode is still on means that mode's release never came.
    EndMouseMode(ModeExit::Cancel);
    StartMouseMode(MouseTargeting, p);
    m_pTarget = nullptr;
    SetRectEmpty(&m_targetRect);
}

LRESULT CMensuroDlg::OnRButtonDown(WPARAM, LPARAM lParam)
{
    StartTargeting(PointFromLParam(lParam));
    return Default();
}

LRESULT CMensuroDlg::OnNcRButtonDown(WPARAM, LPARAM lParam)
{
    StartTargeting(ScreenToClientPoint(lParam));
    // No default processing: on HTCAPTION it runs a loop of its own that takes the
    // release, and the targeting would wait for it for ever.
    return 0;
}

LRESULT CMensuroDlg::OnRButtonUp(WPARAM wParam, LPARAM lParam)
{
    if (m_mouseMode == MouseTargeting)
        EndMouseMode(ModeExit::Drop, PointFromLParam(lParam), (wParam & MK_CONTROL) != 0);
    return Default();
}

LRESULT CMensuroDlg::OnNcRButtonUp(WPARAM, LPARAM lParam)
{
    if (m_mouseMode == MouseTargeting)
        EndMouseMode(ModeExit::Drop, ScreenToClientPoint(lParam), GetKeyState(VK_CONTROL) < 0);
    return Default();
}

void CMensuroDlg::DrawTargetOutline(const RECT& rect)
{
    // An empty rectangle drawn with a wide pen would leave a dot that nothing erases.
    if (IsRectEmpty(&rect)) return;
    CreatedDC screen(CreatedDC::Display());
    if (!screen.get()) return;
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 4, RGB(0, 0, 0)));
    SelectedObject selectedPen(screen.get(), pen.get());
    SelectedObject selectedBrush(screen.get(), GetStockObject(NULL_BRUSH));
    const int oldRop = SetROP2(screen.get(), R2_NOT);
    Rectangle(screen.get(), rect.left, rect.top, rect.right, rect.bottom);
    SetROP2(screen.get(), oldRop);
}

void CMensuroDlg::TrackTarget(POINT p, bool ctrl)
{
    if (p.x == m_anchor.x && p.y == m_anchor.y) return;
    SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ctrl ? IDC_TARGET_CTRL : IDC_TARGET)));
    POINT screen = p;
    ClientToScreen(m_hWnd, &screen);
    HWND under = WindowFromPoint(screen);
    if (!under || under == m_hWnd || under == m_pTarget) return;
    RECT rect = {};
    GetWindowRect(under, &rect);
    DrawTargetOutline(m_targetRect);
    DrawTargetOutline(rect);
    m_targetRect = rect;
    m_pTarget = under;
}

void CMensuroDlg::EndTargeting(ModeExit exit, POINT q, bool ctrl)
{
    DrawTargetOutline(m_targetRect);
    SetRectEmpty(&m_targetRect);
    m_pTarget = nullptr;
    if (exit != ModeExit::Drop) return;

    POINT screen = q;
    ClientToScreen(m_hWnd, &screen);
    if (IsMenuClick(m_anchor.x, m_anchor.y, q.x, q.y)) {
        ShowContextMenu(screen.x, screen.y);
        return;
    }
    HWND target = WindowFromPoint(screen);
    if (!target || target == m_hWnd) return;

    if (ctrl) {
        RECT window = {};
        GetWindowRect(m_hWnd, &window);
        RECT inner = ToRect(FromRect(window).Deflated(Thickness()));
        if (GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) {
            if (StringMessageBox(m_hWnd, IDS_CONFIRM_CHILD_RESIZE, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
            if (HWND parent = GetParent(target)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inner), 2);
        }
        SetWindowPos(target, nullptr, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
                     SWP_NOZORDER);
    } else {
        RECT rect = {};
        GetWindowRect(target, &rect);
        const WindowRect fit = FitRulerAround(FromRect(rect), MonitorRectOf(m_hWnd), Thickness());
        SetWindowPos(m_hWnd, nullptr, fit.left, fit.top, fit.Width(), fit.Height(), SWP_NOZORDER);
    }
    SetForegroundWindow(target);
}
