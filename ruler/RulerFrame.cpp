// The frame made by the program: hit-test zones, the move cursor, the minimum
// size and the new surface on every size change.
#include "ruler/MensuroDlg.h"

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
    const int code = RulerHitTest(FromRect(window), p.x, p.y);
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
        pos->cx = std::max(pos->cx, 2 * ScaleSize);
        pos->cy = std::max(pos->cy, 2 * ScaleSize);
    }
    return result;
}

LRESULT CMensuroDlg::OnSize(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    const int w = LOWORD(lParam), h = HIWORD(lParam);
    const SurfaceSize have = {m_surface.Width(), m_surface.Height()};
    const SurfaceSize want = SurfaceSizeFor(have, w, h);
    if (want.width != have.width || want.height != have.height) {
        m_surface.Create(want.width, want.height, 24);
        m_surface.Fill(0x55);
    }
    Relayout();
    return result;
}

LRESULT CMensuroDlg::OnDpiChanged(WPARAM, LPARAM)
{
    // One screen pixel stays one ruler pixel: keep the size, ignore the suggested rectangle.
    return 0;
}
