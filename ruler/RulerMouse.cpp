// The mouse on the ruler: presses that start the mouse modes, the one machine that runs
// every mode (a line drag, a targeting, a feature's pick) and ends it on every path, the
// hover over guide lines and bars, and lines added and deleted at a point.
#include "ruler/MensuroDlg.h"

#include "ruler/Geometry.h"
#include "ruler/LineGaps.h"
#include "ruler/PointerTip.h"
#include "ruler/RulerTimers.h"
#include "ruler/Win32Rect.h"

#include <string>

namespace {

// Often enough that a release seen late still feels immediate.
constexpr UINT kModeCheckMs = 50;

WindowRect ClientOf(HWND window)
{
    RECT rc = {};
    GetClientRect(window, &rc);
    return FromRect(rc);
}

POINT ScreenToClientPoint(HWND window, LPARAM lParam)
{
    POINT p = PointFromLParam(lParam);
    ScreenToClient(window, &p);
    return p;
}

// The physical button (as GetAsyncKeyState reads it) that holds a mode of a logical
// button: the one the swap setting names, unless only the other is down at the press,
// as where the setting is reported but the buttons come unswapped.
int PhysicalButton(WPARAM button)
{
    const bool right = (button == MK_RBUTTON) != (GetSystemMetrics(SM_SWAPBUTTON) != 0);
    const int named = right ? VK_RBUTTON : VK_LBUTTON, other = right ? VK_LBUTTON : VK_RBUTTON;
    return GetAsyncKeyState(named) >= 0 && GetAsyncKeyState(other) < 0 ? other : named;
}

} // namespace

bool CMensuroDlg::StartMouseMode(MouseMode& mode, POINT p)
{
    // A press while a mode is still on means that mode's release never came.
    EndMouseMode(ModeExit::Cancel);
    SetCapture(m_hWnd);
    if (GetCapture() != m_hWnd) return false;
    m_mode = &mode;
    m_anchor = p;
    m_modeKey = PhysicalButton(mode.Button());
    if (mode.Button()) SetTimer(m_hWnd, TimerMouseMode, kModeCheckMs, nullptr);
    return true;
}

void CMensuroDlg::EndMouseMode(ModeExit exit)
{
    POINT p = {};
    GetCursorPos(&p);
    ScreenToClient(m_hWnd, &p);
    EndMode(exit, p, GetKeyState(VK_CONTROL) < 0);
}

void CMensuroDlg::EndMode(ModeExit exit, POINT p, bool ctrl)
{
    MouseMode* mode = m_mode;
    if (!mode) return;
    // Idle first: releasing the capture sends WM_CAPTURECHANGED back here.
    m_mode = nullptr;
    KillTimer(m_hWnd, TimerMouseMode);
    if (exit != ModeExit::CaptureLost && GetCapture() == m_hWnd) ReleaseCapture();
    mode->OnModeEnd(exit, p, ctrl);
}

LRESULT CMensuroDlg::OnCancelMode(WPARAM enabled, LPARAM)
{
    if (MessageBeingHandled() == WM_CAPTURECHANGED) {
        // A menu, a dialog or another window took the mouse: the release will not come here.
        EndMode(ModeExit::CaptureLost, {0, 0}, false);
    } else if (!enabled) {
        // WM_CANCELMODE's wParam is always 0; WM_ENABLE's is 0 when a dialog disables the ruler.
        EndMouseMode(ModeExit::Cancel);
    }
    return Default();
}

LRESULT CMensuroDlg::OnLButtonDown(WPARAM, LPARAM lParam)
{
    const POINT p = PointFromLParam(lParam);
    EndMouseMode(ModeExit::Cancel);
    const LineHit hit = HitTestLineLists(ClientOf(m_hWnd), p.x, p.y, m_model.lines.X(), m_model.lines.Y(),
                                         Thickness(), m_model.options.LineSize);
    if (hit.kind != HotNone) {
        m_lineDrag.Begin(hit.kind == HotX, static_cast<size_t>(hit.index), p);
        if (!StartMouseMode(m_lineDrag, p)) m_lineDrag.OnModeEnd(ModeExit::CaptureLost, p, false);
    }
    return Default();
}

LRESULT CMensuroDlg::OnRButtonDown(WPARAM, LPARAM lParam)
{
    // A second click within the double-click time arrives as a double-click: it is a press too.
    const UINT message = MessageBeingHandled();
    const bool client = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
    const POINT p = client ? PointFromLParam(lParam) : ScreenToClientPoint(m_hWnd, lParam);
    m_targeting.Begin(p);
    StartMouseMode(m_targeting, p);
    // No default processing off the client area: on HTCAPTION it runs a loop of its own
    // that takes the release, and the targeting would wait for it for ever.
    return client ? Default() : 0;
}

// The release of the button that holds the mode drops it, on the client area or off it.
LRESULT CMensuroDlg::OnButtonUp(WPARAM wParam, LPARAM lParam)
{
    const UINT message = MessageBeingHandled();
    const WPARAM released = message == WM_LBUTTONUP ? MK_LBUTTON : MK_RBUTTON;
    if (m_mode && m_mode->Button() == released) {
        if (message == WM_NCRBUTTONUP)
            EndMode(ModeExit::Drop, ScreenToClientPoint(m_hWnd, lParam), GetKeyState(VK_CONTROL) < 0);
        else
            EndMode(ModeExit::Drop, PointFromLParam(lParam), (wParam & MK_CONTROL) != 0);
    }
    return Default();
}

LRESULT CMensuroDlg::OnLButtonDblClk(WPARAM, LPARAM lParam)
{
    if (m_mode) return Default();
    m_anchor = PointFromLParam(lParam);
    AddLineAt(m_anchor);
    return Default();
}

// Client and non-client moves: the frame's own zones (the move box, the bands that move or
// resize the ruler) are non-client, and the tip follows the pointer there too.
LRESULT CMensuroDlg::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const bool client = MessageBeingHandled() == WM_MOUSEMOVE;
    const POINT p = client ? PointFromLParam(lParam) : ScreenToClientPoint(m_hWnd, lParam);
    // A non-client move's wParam is a hit code; no mode sees one, as a mode holds the capture.
    const bool ctrl = client && (wParam & MK_CONTROL) != 0;
    if (client && m_mode && m_mode->Button() && !(wParam & m_mode->Button())) {
        // The release went to another window.
        EndMode(ModeExit::Drop, p, ctrl);
    } else if (m_mode) {
        if (client) m_mode->OnModeMove(p, ctrl);
    } else if ((!client || !HoverLine(p)) && (m_model.options.Option & OptTooltip)) {
        m_tip.SetText(PointerTipText(m_model, ClientOf(m_hWnd), Thickness(), m_dpi, p.x, p.y));
    }
    return Default();
}

// Over a guide line: the resize cursor and the line's tip. False when no line is there.
bool CMensuroDlg::HoverLine(POINT p)
{
    const WindowRect client = ClientOf(m_hWnd);
    const LineHit hit = HitTestLineLists(client, p.x, p.y, m_model.lines.X(), m_model.lines.Y(), Thickness(),
                                         m_model.options.LineSize);
    if (hit.kind == HotNone) return false;
    const bool vertical = hit.kind == HotX;
    SetCursor(LoadCursorW(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
    if (m_model.options.Option & OptTooltip) {
        const int32_t extent = (vertical ? client.Width() : client.Height()) - 2 * Thickness();
        m_tip.SetText(LineGapText(m_model.lines.Of(vertical), static_cast<size_t>(hit.index), m_model.Axis(extent)));
    }
    return true;
}

void CMensuroDlg::AddLineAt(POINT p)
{
    const LineToAdd add = LineAddedAt(m_model.bars, p.x, p.y, Thickness());
    const bool vertical = add.kind == HotX;
    int32_t value = add.value;
    if (add.kind != HotNone)
        for (RulerTool* tool : m_tools) value = tool->SnapLine(vertical, value, false);
    ChangeModel([&](RulerModel& model) {
        if (add.kind != HotNone) model.lines.Add(vertical, value);
    });
}

void CMensuroDlg::DeleteLineAt(POINT p)
{
    const LineHit hit = HitTestLineLists(ClientOf(m_hWnd), p.x, p.y, m_model.lines.X(), m_model.lines.Y(),
                                         Thickness(), m_model.options.LineSize);
    if (hit.kind == HotNone) return;
    ChangeModel([&](RulerModel& model) { model.lines.Remove(hit.kind == HotX, static_cast<size_t>(hit.index)); });
}
