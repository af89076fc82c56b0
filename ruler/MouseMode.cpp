// The mouse modes' one way in and one way out. A mode ends on every path: its
// release (wherever it went), a lost capture, Esc, the ruler being disabled by a
// dialog or message box; whatever it drew on the screen goes with it.
#include "ruler/MensuroDlg.h"

namespace {

// Often enough that a release seen late still feels immediate.
constexpr UINT kModeCheckMs = 50;

// The physical state of a logical button: GetAsyncKeyState reads the physical ones.
bool IsButtonDown(WPARAM button)
{
    const bool right = (button == MK_RBUTTON) != (GetSystemMetrics(SM_SWAPBUTTON) != 0);
    return GetAsyncKeyState(right ? VK_RBUTTON : VK_LBUTTON) < 0;
}

} // namespace

void CMensuroDlg::StartMouseMode(int32_t mode, POINT p)
{
    SetCapture(m_hWnd);
    m_mouseMode = mode;
    m_anchor = p;
    SetTimer(m_hWnd, kMouseModeTimerId, kModeCheckMs, &CMensuroDlg::OnModeTimer);
}

void CMensuroDlg::EndMouseMode(ModeExit exit, POINT p, bool ctrl)
{
    const int32_t mode = m_mouseMode;
    if (mode == MouseIdle) return;
    // Idle first: releasing the capture sends WM_CAPTURECHANGED back here.
    m_mouseMode = MouseIdle;
    KillTimer(m_hWnd, kMouseModeTimerId);
    if (exit != ModeExit::CaptureLost && GetCapture() == m_hWnd) ReleaseCapture();
    if (mode == MouseDragLine) EndLineDrag(exit, p);
    if (mode == MouseTargeting) EndTargeting(exit, p, ctrl);
}

// The button that holds the mode, as mouse messages flag it.
WPARAM CMensuroDlg::ModeButton() const
{
    return m_mouseMode == MouseTargeting ? MK_RBUTTON : MK_LBUTTON;
}

// While another program is in the foreground the capture brings the ruler nothing,
// and the release goes to that program: a mode whose button is up ends where the
// pointer is, as if released there.
void CMensuroDlg::CheckModeButton()
{
    if (m_mouseMode == MouseIdle || IsButtonDown(ModeButton())) return;
    POINT p = {};
    GetCursorPos(&p);
    ScreenToClient(m_hWnd, &p);
    EndMouseMode(ModeExit::Drop, p, GetAsyncKeyState(VK_CONTROL) < 0);
}

void CALLBACK CMensuroDlg::OnModeTimer(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    // Only the ruler starts this timer, on its own window.
    if (auto* ruler = static_cast<CMensuroDlg*>(CWindow::FromHandle(hwnd))) ruler->CheckModeButton();
}

LRESULT CMensuroDlg::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    // A menu, a dialog or another window took the mouse: the release will not come here.
    EndMouseMode(ModeExit::CaptureLost);
    m_edges.OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    return Default();
}

LRESULT CMensuroDlg::OnCancelMode(WPARAM, LPARAM)
{
    EndMouseMode(ModeExit::Cancel);
    return Default();
}

LRESULT CMensuroDlg::OnEnable(WPARAM enabled, LPARAM)
{
    if (!enabled) EndMouseMode(ModeExit::Cancel);
    return Default();
}
