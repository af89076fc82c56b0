#include "measure/EdgeTool.h"

#include "copy/ScreenGrab.h"
#include "measure/OffScreenMask.h"
#include "resources/resource.h"
#include "ruler/Geometry.h"
#include "ruler/MonitorList.h"
#include "ruler/RulerTimers.h"
#include "ruler/Win32Rect.h"

#include <algorithm>
#include <utility>

namespace {

// Which axis a snap compares along: its lines' neighbours, or none for the area scan.
enum : int { SnapNone = 0, SnapColumns = 1, SnapRows = 2 };

// A pick nobody finishes ends by itself.
constexpr UINT kPickTimeoutMs = 30000;

// Posted by the hook to the ruler: a click of the pick (wParam the button's down
// message, lParam the screen point), or the release that ends it (wParam 0).
UINT PickMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Mensuro.EdgePick");
    return message;
}

} // namespace

CEdgeTool* CEdgeTool::s_picking = nullptr;

CEdgeTool::CEdgeTool(RulerHost& host) : m_host(host) {}

CEdgeTool::~CEdgeTool()
{
    if (Picking()) m_host.EndMouseMode(ModeExit::Cancel);
}

namespace {

// The screen rectangle (x, y, w, h) into `surface`, which is kept between operations:
// a new bitmap's first touch costs more than the grab.
bool GrabInto(DibSurface& surface, int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0) return false;
    if ((surface.Width() != w || surface.Height() != h) && !surface.Create(w, h, 24)) return false;
    return GrabScreenInto(surface, x, y);
}

} // namespace

bool CEdgeTool::GrabInner(const RECT& inner)
{
    const int w = inner.right - inner.left, h = inner.bottom - inner.top;
    if (w <= 0 || h <= 0) return false;
    if ((m_grab.Width() != w || m_grab.Height() != h) && !m_grab.Create(w, h, 24)) return false;
    // Only what lies on a monitor is read; the rest is a fill that no snap takes for an edge.
    m_coverage = ScreenCoverage(FromRect(inner), MonitorRects());
    if (!GrabScreenInto(m_grab, m_coverage)) return false;
    m_block = BottomUpBlock(m_grab.Pixels(), w, h);
    return true;
}

EdgeMask CEdgeTool::OwnMask(const RECT& inner, int snapAxis, POINT through) const
{
    const RulerModel& model = m_host.Model();
    EdgeMask mask;
    mask.columns.assign(static_cast<size_t>(std::max<LONG>(inner.right - inner.left, 0)), MaskClear);
    mask.rows.assign(static_cast<size_t>(std::max<LONG>(inner.bottom - inner.top, 0)), MaskClear);
    for (int32_t x : model.lines.X()) MaskLine(mask.columns, x, model.options.LineSize);
    for (int32_t y : model.lines.Y()) MaskLine(mask.rows, y, model.options.LineSize);
    // The ruler's own windows (its tooltip, the loupe) are no edges either: a column
    // boundary's count leaves out the rows they cover, a row boundary's the columns, and
    // the scan through a point what of them its row and its column cross.
    for (HWND own : m_host.OwnWindows()) {
        RECT r = {};
        if (!own || !IsWindowVisible(own) || !GetWindowRect(own, &r)) continue;
        const bool crossesRow = r.top <= through.y && through.y < r.bottom;
        const bool crossesColumn = r.left <= through.x && through.x < r.right;
        if (snapAxis == SnapColumns || (snapAxis == SnapNone && crossesColumn))
            MaskSpan(mask.rows, r.top - inner.top, r.bottom - inner.top);
        if (snapAxis == SnapRows || (snapAxis == SnapNone && crossesRow))
            MaskSpan(mask.columns, r.left - inner.left, r.right - inner.left);
    }
    return mask;
}

std::vector<int32_t> CEdgeTool::Strengths(const EdgeMask& mask, bool vertical, int32_t from, int32_t to) const
{
    const int32_t tolerance = m_host.Model().options.EdgeTolerance;
    if (vertical) return ColumnEdgeStrengths(m_block, mask, tolerance, from, to);
    return ColumnEdgeStrengths(m_block.Transposed(), EdgeMask{mask.rows, mask.columns}, tolerance, from, to);
}

bool CEdgeTool::AddLinesAt(POINT screen)
{
    const RECT inner = m_host.InnerScreenRect();
    if (!PtInRect(&inner, screen)) return false;
    const int w = inner.right - inner.left, h = inner.bottom - inner.top;
    EdgeMask mask = OwnMask(inner, SnapNone, screen);
    const int32_t x = SeenIndex(mask.columns, screen.x - inner.left, w);
    const int32_t y = SeenIndex(mask.rows, screen.y - inner.top, h);
    // The row and the column read only what lies on a monitor; the fill beyond is no edge.
    if (x >= 0 && y >= 0) MaskOffScreenCross(mask, ScreenCoverage(FromRect(inner), MonitorRects()), x, y);
    // The scan reads the row and the column through the point, nothing else.
    if (x < 0 || y < 0 || !GrabInto(m_row, inner.left, inner.top + y, w, 1) ||
        !GrabInto(m_column, inner.left + x, inner.top, 1, h))
        return false;
    const EdgeArea area = ScanCross(BottomUpBlock(m_row.Pixels(), w, 1), BottomUpBlock(m_column.Pixels(), 1, h), mask,
                                    x, y, m_host.Model().options.EdgeTolerance);
    GuideLines lines = m_host.Model().lines;
    if (AddEdgeLines(area, lines) == 0) return false;
    m_host.ChangeModel([&](RulerModel& model) { model.lines = std::move(lines); });
    return true;
}

bool CEdgeTool::SnapsNow() const
{
    return (m_host.Model().options.Option & OptSnapEdges) != 0;
}

void CEdgeTool::OnLineDrag(bool vertical, bool starting)
{
    m_dragReady = false;
    m_dragStrengths.clear();
    if (!starting) {
        // What the drag took goes with it: a grab of a large inner area holds hundreds of megabytes.
        m_grab.Release();
        m_block = PixelBlock();
        return;
    }
    const RECT inner = m_host.InnerScreenRect();
    if (!SnapsNow() || !GrabInner(inner)) return;
    EdgeMask mask = OwnMask(inner, vertical ? SnapColumns : SnapRows, POINT{});
    MaskOffScreenBlock(mask, m_coverage, vertical);
    m_dragStrengths = Strengths(mask, vertical, 0, vertical ? m_block.width : m_block.height);
    m_dragVertical = vertical;
    m_dragReady = true;
}

int32_t CEdgeTool::SnapLine(bool vertical, int32_t value, bool dragging)
{
    if (!SnapsNow()) return value;
    if (dragging) {
        if (!m_dragReady || vertical != m_dragVertical) return value;
        const int32_t snapped = ChooseSnap(m_dragStrengths, value);
        // Shift is asked only near an edge: the question costs more than the choice.
        return snapped != value && GetKeyState(VK_SHIFT) < 0 ? value : snapped;
    }
    const RECT inner = m_host.InnerScreenRect();
    if (!GrabInner(inner)) return value;
    EdgeMask mask = OwnMask(inner, vertical ? SnapColumns : SnapRows, POINT{});
    MaskOffScreenBlock(mask, m_coverage, vertical);
    const int32_t snapped = ChooseSnap(Strengths(mask, vertical, value - kSnapRadius, value + kSnapRadius), value);
    m_grab.Release();
    m_block = PixelBlock();
    return snapped;
}

bool CEdgeTool::OnCommand(UINT id)
{
    if (id == ID_LINES_AT_EDGES) {
        StartPick();
        return true;
    }
    if (id == ID_LINES_AT_POINTER) {
        AddLinesAtPointer();
        return true;
    }
    if (id != ID_SNAP_TO_EDGES) return false;
    const bool on = !SnapsNow();
    m_host.ChangeModel([on](RulerModel& model) { SetOptionBit(model.options.Option, OptSnapEdges, on); });
    return true;
}

bool CEdgeTool::OnKey(WPARAM key, bool ctrl)
{
    if (key != 'E' || ctrl) return false;
    AddLinesAtPointer();
    return true;
}

void CEdgeTool::AddLinesAtPointer()
{
    // Like Insert and Delete, it waits for a mode to end: it would change the lines under a drag.
    POINT pointer = {};
    if (!m_host.InMouseMode() && GetCursorPos(&pointer)) AddLinesAt(pointer);
}

void CEdgeTool::UpdateMenu(HMENU popup) const
{
    CheckMenuItem(popup, ID_SNAP_TO_EDGES, MF_BYCOMMAND | (SnapsNow() ? MF_CHECKED : MF_UNCHECKED));
}

void CEdgeTool::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.push_back({ID_LINES_AT_EDGES, IDI_LINES_AT_EDGES});
    images.push_back({ID_SNAP_TO_EDGES, IDI_SNAP_TO_EDGES});
}

// ---------------------------------------------------------------------------
// The pick

void CEdgeTool::StartPick()
{
    if (Picking() || s_picking || m_host.InMouseMode()) return;
    m_hook.reset(SetWindowsHookExW(WH_MOUSE_LL, &CEdgeTool::MouseHook, GetModuleHandleW(nullptr), 0));
    if (!m_hook) return;
    s_picking = this;
    m_pick = PickWaiting;
    // The ruler's capture keeps the crosshair over it and tells when another window takes the mouse.
    if (!m_host.StartMouseMode(*this, POINT{0, 0})) {
        OnModeEnd(ModeExit::CaptureLost, POINT{0, 0}, false);
        return;
    }
    m_host.StartTimer(*this, TimerEdgePick, kPickTimeoutMs);
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
}

void CEdgeTool::OnModeEnd(ModeExit, POINT, bool)
{
    m_pick = PickOff;
    m_hook.reset();
    if (s_picking == this) s_picking = nullptr;
    m_host.StopTimer(TimerEdgePick);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void CEdgeTool::OnTimer(UINT_PTR id)
{
    if (id == TimerEdgePick && Picking()) m_host.EndMouseMode(ModeExit::Cancel);
}

bool CEdgeTool::OnHookedMouse(UINT message, POINT screen)
{
    const HWND ruler = m_host.Window();
    if (m_pick == PickWaiting) {
        if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN) return false;
        // The release of the same button is kept from the window under the pointer too.
        m_pick = PickReleasing;
        m_releaseMessage = message == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP;
        PostMessageW(ruler, PickMessage(), message, MAKELPARAM(screen.x, screen.y));
        return true;
    }
    if (m_pick == PickReleasing && message == m_releaseMessage) {
        m_pick = PickOff;
        PostMessageW(ruler, PickMessage(), 0, 0);
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

bool CEdgeTool::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != PickMessage() || message == 0) return false;
    result = 0;
    if (wParam == WM_LBUTTONDOWN) {
        const POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        AddLinesAt(screen);
    } else if (wParam == 0 && s_picking == this) {
        m_host.EndMouseMode(ModeExit::Drop);
    }
    return true;
}
