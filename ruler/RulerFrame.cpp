// The frame made by the program: hit-test zones, the move cursor, the minimum
// size and the new surface on every size change.
#include "ruler/MensuroDlg.h"

#include "framework/DibSurface.h"

#include "resources/resource.h"
#include "ruler/Geometry.h"
#include "ruler/Win32Rect.h"

#include <algorithm>

static_assert(HitCaption == HTCAPTION && HitLeft == HTLEFT && HitBottomRight == HTBOTTOMRIGHT,
              "hit codes mirror the Win32 values");

LRESULT CMensuroDlg::OnNcHitTest(WPARAM, LPARAM lParam)
{
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    const POINT p = PointFromLParam(lParam);
    const int code = RulerHitTest(FromRect(window), p.x, p.y, m_dpi);
    return code == HitDefault ? Default() : code;
}

LRESULT CMensuroDlg::OnSetCursor(WPARAM, LPARAM lParam)
{
    if (LOWORD(lParam) == HTCAPTION && HIWORD(lParam) != 0) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
        return TRUE;
    }
    return Default();
}

LRESULT CMensuroDlg::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!(pos->flags & SWP_NOSIZE)) {
        pos->cx = std::max(pos->cx, 2 * Thickness());
        pos->cy = std::max(pos->cy, 2 * Thickness());
    }
    return result;
}

LRESULT CMensuroDlg::OnSize(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    const int w = LOWORD(lParam), h = HIWORD(lParam);
    const SurfaceSize have = {m_surface->Width(), m_surface->Height()};
    const SurfaceSize want = SurfaceSizeFor(have, w, h);
    if (want.width != have.width || want.height != have.height) {
        m_surface->Create(want.width, want.height, kSurfaceBits);
        m_surface->Fill(0x55);
    }
    Relayout();
    return result;
}

LRESULT CMensuroDlg::OnDpiChanged(WPARAM wParam, LPARAM)
{
    // The frame takes the new screen's scale; the inner area keeps its device-pixel
    // size and place, so what is measured does not move (the suggested rectangle
    // would scale the inner area too).
    const int32_t oldThickness = Thickness();
    SetDpi(LOWORD(wParam) ? LOWORD(wParam) : kBaseDpi);
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    const WindowRect kept = KeepInnerArea(FromRect(window), oldThickness, Thickness());
    SetWindowPos(m_hWnd, nullptr, kept.left, kept.top, kept.Width(), kept.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout();
    return 0;
}
