#include "measure/EdgeTool.h"

#include "measure/LineGaps.h"
#include "ruler/Geometry.h"
#include "ruler/MensuroDlg.h"

#include <algorithm>

namespace {

// Which axis a snap compares along: its lines' neighbours, or none for the area scan.
enum : int { SnapNone = 0, SnapColumns = 1, SnapRows = 2 };

} // namespace

CEdgeTool* CEdgeTool::s_picking = nullptr;

CEdgeTool::CEdgeTool(CMensuroDlg& ruler) : m_ruler(ruler) {}

CEdgeTool::~CEdgeTool()
{
    EndPick(false);
}

RECT CEdgeTool::InnerScreenRect() const
{
    RECT inner = {};
    if (!GetWindowRect(m_ruler.GetSafeHwnd(), &inner)) return RECT{};
    const int32_t s = m_ruler.Thickness();
    InflateRect(&inner, -s, -s);
    return inner;
}

namespace {

// The screen rectangle (x, y, w, h) into `surface`, which is kept between operations:
// a new bitmap's first touch costs more than the grab.
bool GrabInto(DibSurface& surface, int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0) return false;
    if ((surface.Width() != w || surface.Height() != h) && !surface.Create(w, h, 24)) return false;
    return surface.GrabScreen(x, y);
}

} // namespace

bool CEdgeTool::GrabInner(const RECT& inner)
{
    const int w = inner.right - inner.left, h = inner.bottom - inner.top;
    if (!GrabInto(m_grab, inner.left, inner.top, w, h)) return false;
    m_block = BottomUpBlock(m_grab.Pixels(), w, h);
    return true;
}

EdgeMask CEdgeTool::OwnMask(const RECT& inner, int snapAxis) const
{
    EdgeMask mask;
    mask.columns.assign(static_cast<size_t>(std::max<LONG>(inner.right - inner.left, 0)), MaskClear);
    mask.rows.assign(static_cast<size_t>(std::max<LONG>(inner.bottom - inner.top, 0)), MaskClear);
    for (int32_t x : m_ruler.m_linesX) MaskLine(mask.columns, x, m_ruler.LineSize);
    for (int32_t y : m_ruler.m_linesY) MaskLine(mask.rows, y, m_ruler.LineSize);
    // The tooltip near the pointer is no edge either; its rows are left out of a
    // column boundary's count (and its columns out of a row boundary's).
    HWND tip = m_ruler.m_toolTip.get();
    RECT r = {};
    if (snapAxis != SnapNone && tip && IsWindowVisible(tip) && GetWindowRect(tip, &r)) {
        if (snapAxis == SnapColumns)
            MaskSpan(mask.rows, r.top - inner.top, r.bottom - inner.top);
        else
            MaskSpan(mask.columns, r.left - inner.left, r.right - inner.left);
    }
    return mask;
}

std::vector<int32_t> CEdgeTool::Strengths(const EdgeMask& mask, bool vertical, int32_t from, int32_t to) const
{
    if (vertical) return ColumnEdgeStrengths(m_block, mask, m_ruler.EdgeTolerance, from, to);
    return ColumnEdgeStrengths(m_block.Transposed(), EdgeMask{mask.rows, mask.columns}, m_ruler.EdgeTolerance, from,
                               to);
}

bool CEdgeTool::AddLinesAt(POINT screen)
{
    const RECT inner = InnerScreenRect();
    if (!PtInRect(&inner, screen)) return false;
    const int w = inner.right - inner.left, h = inner.bottom - inner.top;
    const EdgeMask mask = OwnMask(inner, SnapNone);
    const int32_t x = SeenIndex(mask.columns, screen.x - inner.left, w);
    const int32_t y = SeenIndex(mask.rows, screen.y - inner.top, h);
    // The scan reads the row and the column through the point, nothing else.
    if (x < 0 || y < 0 || !GrabInto(m_row, inner.left, inner.top + y, w, 1) ||
        !GrabInto(m_column, inner.left + x, inner.top, 1, h))
        return false;
    const EdgeArea area = ScanCross(BottomUpBlock(m_row.Pixels(), w, 1), BottomUpBlock(m_column.Pixels(), 1, h), mask,
                                    x, y, m_ruler.EdgeTolerance);
    if (AddEdgeLines(area, m_ruler.m_linesX, m_ruler.m_linesY) == 0) return false;
    m_ruler.Relayout();
    return true;
}

bool CEdgeTool::SnapsNow() const
{
    return (m_ruler.Option & OptSnapEdges) != 0;
}

void CEdgeTool::BeginDrag(bool vertical)
{
    m_dragReady = false;
    m_dragStrengths.clear();
    const RECT inner = InnerScreenRect();
    if (!SnapsNow() || !GrabInner(inner)) return;
    const int axis = vertical ? SnapColumns : SnapRows;
    m_dragStrengths = Strengths(OwnMask(inner, axis), vertical, 0, vertical ? m_block.width : m_block.height);
    m_dragVertical = vertical;
    m_dragReady = true;
}

int32_t CEdgeTool::SnapDragged(int32_t value, bool vertical) const
{
    if (!m_dragReady || vertical != m_dragVertical || !SnapsNow()) return value;
    const int32_t snapped = ChooseSnap(m_dragStrengths, value);
    // Shift is asked only near an edge: the question costs more than the choice.
    return snapped != value && GetKeyState(VK_SHIFT) < 0 ? value : snapped;
}

int32_t CEdgeTool::SnapAdded(int32_t value, bool vertical)
{
    const RECT inner = InnerScreenRect();
    if (!SnapsNow() || !GrabInner(inner)) return value;
    const EdgeMask mask = OwnMask(inner, vertical ? SnapColumns : SnapRows);
    return ChooseSnap(Strengths(mask, vertical, value - kSnapRadius, value + kSnapRadius), value);
}

std::wstring CEdgeTool::LineTip(bool vertical, int32_t index) const
{
    RECT client = {};
    GetClientRect(m_ruler.GetSafeHwnd(), &client);
    const int32_t extent = (vertical ? client.right : client.bottom) - 2 * m_ruler.Thickness();
    const std::vector<int32_t>& lines = vertical ? m_ruler.m_linesX : m_ruler.m_linesY;
    return LineGapText(lines, static_cast<size_t>(std::max(index, 0)), extent);
}

void CEdgeTool::ToggleSnap()
{
    SetOptionBit(m_ruler.Option, OptSnapEdges, !SnapsNow());
}

// ---------------------------------------------------------------------------
// The pick: a low-level mouse hook sees the click wherever it lands (over the inner
// area it belongs to another program's window) and keeps it from that window.

void CEdgeTool::StartPick()
{
    if (Picking() || s_picking || m_ruler.m_mouseMode != MouseIdle) return;
    m_hook = SetWindowsHookExW(WH_MOUSE_LL, &CEdgeTool::MouseHook, GetModuleHandleW(nullptr), 0);
    if (!m_hook) return;
    s_picking = this;
    m_pick = PickWaiting;
    // The capture keeps the crosshair over the ruler and tells when another window takes the mouse.
    SetCapture(m_ruler.GetSafeHwnd());
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
}

void CEdgeTool::EndPick(bool releaseCapture)
{
    if (!Picking()) return;
    // First leave the mode: releasing the capture comes back here through WM_CAPTURECHANGED.
    m_pick = PickOff;
    if (m_hook) UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    if (s_picking == this) s_picking = nullptr;
    if (releaseCapture && GetCapture() == m_ruler.GetSafeHwnd()) ReleaseCapture();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void CEdgeTool::CancelPick()
{
    EndPick(true);
}

void CEdgeTool::OnCaptureChanged(HWND newCapture)
{
    if (newCapture != m_ruler.GetSafeHwnd()) EndPick(false);
}

bool CEdgeTool::OnHookedMouse(UINT message, POINT screen)
{
    if (m_pick == PickWaiting) {
        if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN) return false;
        // The release of the same button is kept from the window under the pointer too.
        m_pick = PickReleasing;
        m_releaseMessage = message == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP;
        if (message == WM_LBUTTONDOWN) AddLinesAt(screen);
        return true;
    }
    if (m_pick == PickReleasing && message == m_releaseMessage) {
        EndPick(true);
        return true;
    }
    return false;
}

LRESULT CALLBACK CEdgeTool::MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && s_picking) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (s_picking->OnHookedMouse(static_cast<UINT>(wParam), info->pt)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CEdgeTool::OnKeyDown(WPARAM key)
{
    if (key == VK_ESCAPE && Picking()) {
        CancelPick();
        return true;
    }
    if (key != 'E') return false;
    POINT pointer = {};
    if (GetCursorPos(&pointer)) AddLinesAt(pointer);
    return true;
}
