#include "ruler/Targeting.h"

#include "framework/GdiHolders.h"
#include "framework/Handles.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"
#include "ruler/Geometry.h"
#include "ruler/TargetWindow.h"
#include "ruler/Win32Rect.h"

namespace {

void DrawTargetOutline(const RECT& rect)
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

} // namespace

void CTargeting::Begin(POINT client)
{
    m_anchor = client;
    m_target = nullptr;
    SetRectEmpty(&m_targetRect);
}

void CTargeting::OnModeMove(POINT p, bool ctrl)
{
    if (p.x == m_anchor.x && p.y == m_anchor.y) return;
    SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ctrl ? IDC_TARGET_CTRL : IDC_TARGET)));
    POINT screen = p;
    ClientToScreen(m_host.Window(), &screen);
    HWND under = WindowFromPoint(screen);
    if (!under || under == m_host.Window() || under == m_target) return;
    // The frame the user sees: Windows 10 and later give top-level windows invisible borders.
    const RECT rect = ToRect(VisibleFrameOf(under));
    DrawTargetOutline(m_targetRect);
    DrawTargetOutline(rect);
    m_targetRect = rect;
    m_target = under;
}

void CTargeting::OnModeEnd(ModeExit exit, POINT client, bool ctrl)
{
    DrawTargetOutline(m_targetRect);
    SetRectEmpty(&m_targetRect);
    m_target = nullptr;
    if (exit == ModeExit::Drop) Drop(client, ctrl);
}

void CTargeting::Drop(POINT q, bool ctrl)
{
    const HWND ruler = m_host.Window();
    POINT screen = q;
    ClientToScreen(ruler, &screen);
    if (IsMenuClick(m_anchor.x, m_anchor.y, q.x, q.y)) {
        m_host.ShowContextMenu(screen.x, screen.y);
        return;
    }
    HWND target = WindowFromPoint(screen);
    if (!target || target == ruler) return;
    if (ctrl) {
        if (!PlaceInside(target)) return;
    } else {
        FitAround(target);
    }
    SetForegroundWindow(target);
}

bool CTargeting::PlaceInside(HWND target)
{
    // The visible frame fills the inner area; the invisible borders lie beyond it.
    RECT inner = m_host.InnerScreenRect();
    RECT window = {};
    GetWindowRect(target, &window);
    const RECT frame = ToRect(VisibleFrameOf(target));
    inner.left -= frame.left - window.left;
    inner.top -= frame.top - window.top;
    inner.right += window.right - frame.right;
    inner.bottom += window.bottom - frame.bottom;
    if (GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) {
        if (StringMessageBox(m_host.Window(), IDS_CONFIRM_CHILD_RESIZE, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
        if (HWND parent = GetParent(target)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inner), 2);
    }
    SetWindowPos(target, nullptr, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
                 SWP_NOZORDER);
    return true;
}

void CTargeting::FitAround(HWND target)
{
    // Cut to the monitor the target stands on, which need not be the ruler's.
    const WindowRect frame = VisibleFrameOf(target);
    const HWND ruler = m_host.Window();
    const WindowRect fit = FitRulerAround(frame, MonitorOfTarget(frame), m_host.Thickness());
    SetWindowPos(ruler, nullptr, fit.left, fit.top, fit.Width(), fit.Height(), SWP_NOZORDER);
}
