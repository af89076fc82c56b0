// Guide lines: hit test, drag with inverted feedback on the screen, add,
// delete, and the coordinate tooltip.
#include "ruler/MensuroDlg.h"

#include "framework/Handles.h"
#include "ruler/Win32Rect.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

void CMensuroDlg::CreateToolTip()
{
    // Always: users hover over a ruler that is not the active window (without the style
    // the tip shows only while its owner is active). Not owned by the ruler: an owned
    // tooltip keeps its owner out of the topmost band now and then under Wine. The ruler
    // destroys it itself.
    m_toolTip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
    if (!m_toolTip) return;
    SendMessageW(m_toolTip.get(), TTM_ACTIVATE, TRUE, 0);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(m_toolTip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CMensuroDlg::SetToolTipText(const wchar_t* text)
{
    if (!m_toolTip) return;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(m_toolTip.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_toolTip.get(), TTM_UPDATE, 0, 0);
}

static void FormatNumber(wchar_t (&text)[16], int32_t value)
{
    std::swprintf(text, 16, L"%d", value);
}

bool CMensuroDlg::HitTestLines(POINT p)
{
    const LineHit hit = HitTestLineLists(ClientRect(), p.x, p.y, m_linesX, m_linesY, Thickness(), LineSize);
    if (hit.kind == HotNone) {
        m_hotIndex = -1;
        m_hotKind = HotNone;
        return false;
    }
    const std::vector<int32_t>& lines = hit.kind == HotX ? m_linesX : m_linesY;
    m_hotIndex = hit.index;
    m_hotKind = hit.kind;
    m_hotValue = lines[static_cast<size_t>(hit.index)];
    SetCursor(LoadCursorW(nullptr, hit.kind == HotX ? IDC_SIZEWE : IDC_SIZENS));
    if (Option & OptTooltip) SetToolTipText(m_edges.LineTip(hit.kind == HotX, hit.index).c_str());
    return true;
}

void CMensuroDlg::InvertLine(HDC screen, const WindowRect& client, int32_t value, bool vertical)
{
    // The painted band only: the rectangle's last column (row) is not painted.
    RECT r = ToRect(LineRect(client, value, vertical));
    if (vertical)
        --r.right;
    else
        --r.bottom;
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    PatBlt(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
}

bool CMensuroDlg::DragLine(int dx, int dy)
{
    if (m_hotKind != HotX && m_hotKind != HotY) return false;
    const bool vertical = m_hotKind == HotX;
    std::vector<int32_t>& lines = vertical ? m_linesX : m_linesY;
    if (m_hotIndex < 0 || static_cast<size_t>(m_hotIndex) >= lines.size()) return false;
    int32_t& value = lines[static_cast<size_t>(m_hotIndex)];

    const WindowRect client = ClientRect();
    {
        CreatedDC screen(CreatedDC::Display());
        if (screen.get()) InvertLine(screen.get(), client, value, vertical);
        value = ClampLineValue(int64_t(m_hotValue) + (vertical ? dx : dy), client, vertical, Thickness());
        value = m_edges.SnapDragged(value, vertical);
        if (screen.get()) InvertLine(screen.get(), client, value, vertical);
    }
    if (Option & OptTooltip) SetToolTipText(m_edges.LineTip(vertical, m_hotIndex).c_str());
    return true;
}

void CMensuroDlg::AddLine()
{
    LineToAdd add = LineAddedAt(m_scaleBars, m_anchor.x, m_anchor.y, Thickness());
    if (add.kind != HotNone) {
        add.value = m_edges.SnapAdded(add.value, add.kind == HotX);
        std::vector<int32_t>& lines = add.kind == HotX ? m_linesX : m_linesY;
        if (std::find(lines.begin(), lines.end(), add.value) == lines.end()) lines.push_back(add.value);
    }
    Relayout();
}

void CMensuroDlg::DeleteLine()
{
    if (!HitTestLines(m_anchor)) return;
    std::vector<int32_t>& lines = m_hotKind == HotX ? m_linesX : m_linesY;
    lines.erase(lines.begin() + m_hotIndex);
    m_hotIndex = -1;
    m_hotKind = HotNone;
    Relayout();
}

void CMensuroDlg::DeleteAllLines()
{
    m_linesX.clear();
    m_linesY.clear();
    Relayout();
}

void CMensuroDlg::OnCmdAddLine()
{
    AddLine();
}

void CMensuroDlg::OnCmdDeleteLine()
{
    DeleteLine();
}

void CMensuroDlg::OnCmdDeleteAllLines()
{
    DeleteAllLines();
}

LRESULT CMensuroDlg::OnLButtonDown(WPARAM, LPARAM lParam)
{
    const POINT p = PointFromLParam(lParam);
    // A press while a mode is still on means that mode's release never came.
    EndMouseMode(ModeExit::Cancel);
    if (HitTestLines(p)) {
        m_edges.BeginDrag(m_hotKind == HotX);
        StartMouseMode(MouseDragLine, p);
    }
    return Default();
}

LRESULT CMensuroDlg::OnLButtonUp(WPARAM, LPARAM lParam)
{
    if (m_mouseMode == MouseDragLine) EndMouseMode(ModeExit::Drop, PointFromLParam(lParam));
    return Default();
}

void CMensuroDlg::EndLineDrag(ModeExit exit, POINT p)
{
    if (exit != ModeExit::Drop) {
        // Back where it started: that takes both inverted bands off the screen.
        DragLine(0, 0);
        return;
    }
    // The one composition of a drag, at the drop; it repaints both bands' places.
    if (DragLine(p.x - m_anchor.x, p.y - m_anchor.y)) Relayout();
}

LRESULT CMensuroDlg::OnLButtonDblClk(WPARAM, LPARAM lParam)
{
    if (m_mouseMode != MouseIdle) return Default();
    m_anchor = PointFromLParam(lParam);
    AddLine();
    return Default();
}

void CMensuroDlg::ShowPointerCoordinate(POINT p)
{
    const int32_t s = Thickness();
    auto onBar = [&](size_t i) { return i < m_scaleBars.size() && m_scaleBars[i].Rect.Contains(p.x, p.y); };
    wchar_t text[16] = L"";
    if (onBar(2) || onBar(3))
        FormatNumber(text, p.y - s);
    else if (onBar(0) || onBar(1))
        FormatNumber(text, p.x - s);
    SetToolTipText(text);
}

LRESULT CMensuroDlg::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const POINT p = PointFromLParam(lParam);
    if (m_mouseMode != MouseIdle && !(wParam & ModeButton())) {
        // The release went to another window.
        EndMouseMode(ModeExit::Drop, p, (wParam & MK_CONTROL) != 0);
        return Default();
    }
    switch (m_mouseMode) {
    case MouseDragLine: DragLine(p.x - m_anchor.x, p.y - m_anchor.y); break;
    case MouseTargeting: TrackTarget(p, (wParam & MK_CONTROL) != 0); break;
    default:
        if (!HitTestLines(p) && (Option & OptTooltip)) ShowPointerCoordinate(p);
        break;
    }
    return Default();
}
