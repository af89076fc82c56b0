#include "ruler/MensuroDlg.h"

#include "framework/DibSurface.h"
#include "framework/MessageTable.h"
#include "framework/RegistryWatch.h"
#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "ruler/Geometry.h"
#include "ruler/MonitorRect.h"
#include "ruler/RulerTimers.h"
#include "ruler/Win32Rect.h"

const MessageEntry<CMensuroDlg> CMensuroDlg::s_messages[] = {
    {WM_DESTROY, &CMensuroDlg::OnEndSession},
    {WM_PAINT, &CMensuroDlg::OnPaint},
    {WM_NCHITTEST, &CMensuroDlg::OnNcHitTest},
    {WM_SETCURSOR, &CMensuroDlg::OnSetCursor},
    {WM_WINDOWPOSCHANGING, &CMensuroDlg::OnWindowPosChanging},
    {WM_SIZE, &CMensuroDlg::OnSize},
    {WM_DPICHANGED, &CMensuroDlg::OnDpiChanged},
    {WM_RBUTTONDOWN, &CMensuroDlg::OnRButtonDown},
    {WM_RBUTTONDBLCLK, &CMensuroDlg::OnRButtonDown},
    {WM_NCRBUTTONDBLCLK, &CMensuroDlg::OnRButtonDown},
    {WM_RBUTTONUP, &CMensuroDlg::OnButtonUp},
    {WM_NCRBUTTONDOWN, &CMensuroDlg::OnRButtonDown},
    {WM_NCRBUTTONUP, &CMensuroDlg::OnButtonUp},
    {WM_LBUTTONDOWN, &CMensuroDlg::OnLButtonDown},
    {WM_LBUTTONUP, &CMensuroDlg::OnButtonUp},
    {WM_LBUTTONDBLCLK, &CMensuroDlg::OnLButtonDblClk},
    {WM_MOUSEMOVE, &CMensuroDlg::OnMouseMove},
    {WM_NCMOUSEMOVE, &CMensuroDlg::OnMouseMove},
    {WM_KEYDOWN, &CMensuroDlg::OnKeyDown},
    {WM_SYSKEYDOWN, &CMensuroDlg::OnKeyDown},
    {WM_TIMER, &CMensuroDlg::OnTimer},
    {WM_CAPTURECHANGED, &CMensuroDlg::OnCancelMode},
    {WM_CANCELMODE, &CMensuroDlg::OnCancelMode},
    {WM_ENABLE, &CMensuroDlg::OnCancelMode},
    {WM_QUERYENDSESSION, &CMensuroDlg::OnEndSession},
    {WM_ENDSESSION, &CMensuroDlg::OnEndSession},
};

namespace {

// The ruler's own commands' icons in the menu drawn with icons.
constexpr MenuImage kOwnImages[] = {
    {IDOK, IDI_EXIT},
    {ID_ADD_LINE, IDI_ADD_LINE},
    {ID_DELETE_LINE, IDI_DELETE_LINE},
    {ID_DELETE_ALL_LINES, IDI_DELETE_ALL_LINES},
};

} // namespace

CMensuroDlg::CMensuroDlg(HWND parent) : CModalDialog(IDD_MENSURO, parent), m_surface(std::make_unique<DibSurface>())
{
    m_hIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MENSURO), IMAGE_ICON, 16, 16, LR_SHARED));
    m_surface->Create(200, 200, kSurfaceBits);
}

CMensuroDlg::~CMensuroDlg() = default;

bool CMensuroDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (DispatchMessageTable(this, s_messages, message, wParam, lParam, result)) return true;
    switch (message) {
    case WM_ERASEBKGND: result = TRUE; return true; // the paint handler covers every pixel
    case WM_QUERYDRAGICON: result = reinterpret_cast<LRESULT>(m_hIcon); return true;
    case WM_HELP: result = TRUE; return true;
    case WM_COMMAND:
        if (HIWORD(wParam) != 0 && HIWORD(wParam) != 1) break; // a control's notification
        switch (LOWORD(wParam)) {
        case ID_ADD_LINE: AddLineAt(m_anchor); result = 0; return true;
        case ID_DELETE_LINE: DeleteLineAt(m_anchor); result = 0; return true;
        case ID_DELETE_ALL_LINES:
            ChangeModel([](RulerModel& model) { model.lines.Clear(); });
            result = 0;
            return true;
        default: break;
        }
        for (RulerTool* tool : m_tools) {
            if (!tool->OnCommand(LOWORD(wParam))) continue;
            result = 0;
            return true;
        }
        break;
    default: break;
    }
    for (RulerTool* tool : m_tools)
        if (tool->OnMessage(message, wParam, lParam, result)) return true;
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

// ---------------------------------------------------------------------------
// Start and end

BOOL CMensuroDlg::OnInitDialog()
{
    CModalDialog::OnInitDialog();

    // A tool window without a taskbar button.
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & ~WS_EX_APPWINDOW);
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_tip.Create(m_hWnd);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)))
        GetObjectW(font, sizeof(m_labelFont), &m_labelFont);
    m_labelFont.lfWeight = 600;
    // The dialog's font is made for the screen the window was created on.
    m_dpi = WindowDpi(m_hWnd);
    SetDpi(m_dpi);

    PlaceAtStart();
    SetWindowTextW(m_hWnd, L"Mensuro");
    Relayout();
    for (RulerTool* tool : m_tools) tool->OnStart();
    return TRUE;
}

void CMensuroDlg::PlaceAtStart()
{
    RECT current = {};
    GetWindowRect(m_hWnd, &current);
    WindowRect rect = FromRect(current);
    {
        RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
        rect.Persist(profile, RulerOptions::Section, true);
        m_model.options.Persist(profile, true);
    }
    m_model.options.Sanitize();
    rect = SaneWindowRect(rect, FromRect(current));
    // A monitor that was unplugged must not take the ruler with it.
    if (!IsOnAnyMonitor(rect)) rect = MoveOntoMonitor(rect, NearestMonitorRect(rect));
    // The frame is drawn at the scale of the screen the ruler will stand on, before it
    // moves there: the stored rectangle was measured with that screen's bars.
    SetDpi(DpiWhereRectGoes(m_hWnd, rect));
    SetWindowPos(m_hWnd, (m_model.options.Option & OptTopmost) ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top,
                 rect.Width(), rect.Height(), 0);
}

LRESULT CMensuroDlg::OnEndSession(WPARAM ending, LPARAM)
{
    // The window goes, or the session may end: nothing a mode drew stays on the screen.
    EndMouseMode(ModeExit::Cancel);
    if (MessageBeingHandled() == WM_DESTROY) {
        SaveAtEnd();
        m_tip.Destroy();
        return Default();
    }
    // Windows ends the process after WM_ENDSESSION without destroying the window.
    if (ending) SaveAtEnd();
    return TRUE;
}

// Exit and Alt+F4 end the ruler once any dialog of its own has closed; the features learn
// of it now.
void CMensuroDlg::OnOK()
{
    for (RulerTool* tool : m_tools) tool->OnEnding();
    CModalDialog::OnOK();
}

void CMensuroDlg::OnCancel()
{
    for (RulerTool* tool : m_tools) tool->OnEnding();
    CModalDialog::OnCancel();
}

// What Exit does as the window goes: the features let go (the tray icon leaves), options
// and rectangle are saved. Once: the session's end comes first when there is one.
void CMensuroDlg::SaveAtEnd()
{
    if (m_savedAtEnd) return;
    m_savedAtEnd = true;
    for (RulerTool* tool : m_tools) tool->OnEnd();
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
    WindowRect rect = FromRect(window);
    rect.Persist(profile, RulerOptions::Section, false);
    m_model.options.Persist(profile, false);
}

void CMensuroDlg::SetDpi(int32_t dpi)
{
    if (m_labelFont.lfHeight && dpi != m_dpi) m_labelFont.lfHeight = MulDiv(m_labelFont.lfHeight, dpi, m_dpi);
    m_dpi = dpi;
    // m_hIcon is the 96-DPI image.
    const int side = FramePixels(16, dpi);
    m_boxIcon.reset(dpi == kBaseDpi ? nullptr
                                    : static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                                    MAKEINTRESOURCEW(IDI_MENSURO), IMAGE_ICON, side,
                                                                    side, LR_DEFAULTCOLOR)));
}

// ---------------------------------------------------------------------------
// What the features see

void CMensuroDlg::ChangeModel(const std::function<void(RulerModel&)>& change)
{
    change(m_model);
    Relayout();
}

int32_t CMensuroDlg::Thickness() const
{
    return FramePixels(m_model.options.ScaleSize, m_dpi);
}

RECT CMensuroDlg::InnerScreenRect() const
{
    RECT inner = {};
    if (!GetWindowRect(m_hWnd, &inner)) return RECT{};
    InflateRect(&inner, -Thickness(), -Thickness());
    return inner;
}

INT_PTR CMensuroDlg::RunDialog(CModalDialog& dialog)
{
    if (m_openDialog) {
        if (HWND open = m_openDialog->GetSafeHwnd()) SetForegroundWindow(open);
        return IDCANCEL;
    }
    m_openDialog = &dialog;
    const INT_PTR result = dialog.DoModal();
    m_openDialog = nullptr;
    return result;
}

void CMensuroDlg::ShowContextMenu(int x, int y)
{
    // The menu takes the mouse: no mode may wait for a release under it.
    EndMouseMode(ModeExit::Cancel);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    for (RulerTool* tool : m_tools)
        if (tool->ShowMenu(x, y)) return;
}

void CMensuroDlg::UpdateMenu(HMENU popup) const
{
    for (const RulerTool* tool : m_tools) tool->UpdateMenu(popup);
}

void CMensuroDlg::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.insert(images.end(), std::begin(kOwnImages), std::end(kOwnImages));
    for (const RulerTool* tool : m_tools) tool->AddMenuImages(images);
}

bool CMensuroDlg::ScreenHeld() const
{
    for (const RulerTool* tool : m_tools)
        if (tool->HoldsScreen()) return true;
    return false;
}

std::vector<HWND> CMensuroDlg::OwnWindows() const
{
    std::vector<HWND> windows = {m_tip.Window()};
    for (const RulerTool* tool : m_tools) tool->AddOwnWindows(windows);
    return windows;
}

void CMensuroDlg::PutAsideForPicture(bool aside)
{
    if (!aside && m_picturesAside == 0) return;
    m_picturesAside += aside ? 1 : -1;
    // The tooltip shows again by itself when the pointer next moves over a line or bar.
    if (aside && m_tip.Window()) ShowWindow(m_tip.Window(), SW_HIDE);
    // Pictures overlap (a Copy within a handed-over save's delay): the features' windows
    // come back only once the last picture is taken.
    if (m_picturesAside == (aside ? 1 : 0))
        for (RulerTool* tool : m_tools) tool->PutAsideForPicture(aside);
}

void CMensuroDlg::StartTimer(RulerTool& owner, UINT_PTR id, UINT ms)
{
    // The same id on the same window replaces a running timer.
    if (!SetTimer(m_hWnd, id, ms, nullptr)) return;
    m_timerOwners[id] = &owner;
}

void CMensuroDlg::StopTimer(UINT_PTR id)
{
    KillTimer(m_hWnd, id);
    m_timerOwners.erase(id);
}

LRESULT CMensuroDlg::OnTimer(WPARAM id, LPARAM)
{
    if (id == TimerMouseMode) {
        // While another program is in the foreground the capture brings the ruler nothing,
        // and the release goes to that program: a mode whose button is up ends where the
        // pointer is, as if released there.
        if (!m_mode || !m_mode->Button() || GetAsyncKeyState(m_modeKey) < 0) return 0;
        POINT p = {};
        GetCursorPos(&p);
        ScreenToClient(m_hWnd, &p);
        EndMode(ModeExit::Drop, p, GetAsyncKeyState(VK_CONTROL) < 0);
        return 0;
    }
    const auto owner = m_timerOwners.find(id);
    if (owner == m_timerOwners.end()) return Default();
    owner->second->OnTimer(id);
    return 0;
}

// ---------------------------------------------------------------------------
// Keys: one-pixel pointer steps, Esc, lines added and deleted at the pointer; then
// the features' keys.

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
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    // The menu opens from the keyboard as in every Windows program: at the pointer when
    // it is over the ruler, else at the ruler's top-left corner.
    if (key == VK_APPS || (key == VK_F10 && shift)) {
        RECT window = {};
        GetWindowRect(m_hWnd, &window);
        POINT at = {window.left, window.top};
        POINT pointer = {};
        if (GetCursorPos(&pointer) && PtInRect(&window, pointer)) at = pointer;
        m_anchor = at;
        ScreenToClient(m_hWnd, &m_anchor);
        ShowContextMenu(at.x, at.y);
        return 0;
    }
    if (MessageBeingHandled() == WM_SYSKEYDOWN) {
        for (RulerTool* tool : m_tools)
            if (tool->OnSysKey(key, shift)) return 0;
        return Default();
    }
    for (const PointerStep& step : kPointerSteps) {
        if (step.key != key) continue;
        POINT p = {};
        GetCursorPos(&p);
        SetCursorPos(p.x + step.dx, p.y + step.dy);
        return Default();
    }
    if (key == VK_ESCAPE) {
        EndMouseMode(ModeExit::Cancel);
        return Default();
    }
    if (key == VK_INSERT || key == VK_DELETE) {
        // They wait for a mode to end: they would move the anchor and the line under a drag.
        if (m_mode) return Default();
        GetCursorPos(&m_anchor);
        ScreenToClient(m_hWnd, &m_anchor);
        if (key == VK_INSERT)
            AddLineAt(m_anchor);
        else
            DeleteLineAt(m_anchor);
        return Default();
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    for (RulerTool* tool : m_tools)
        if (tool->OnKey(key, ctrl)) return 0;
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
    if ((m_model.options.Option & OptTooltip) && ours) m_tip.Relay(msg);
    return CModalDialog::PreTranslateMessage(msg);
}
