#include "ruler/MensuroDlg.h"

#include "app/AboutDlg.h"
#include "framework/GdiHolders.h"
#include "framework/StringMessageBox.h"
#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "ruler/Geometry.h"
#include "ruler/MonitorRect.h"
#include "ruler/Win32Rect.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <string>

static_assert(HitCaption == HTCAPTION && HitLeft == HTLEFT && HitBottomRight == HTBOTTOMRIGHT,
              "hit codes mirror the Win32 values");


const MessageEntry<CMensuroDlg> CMensuroDlg::s_messages[] = {
    {WM_DESTROY, &CMensuroDlg::OnDestroy},
    {WM_PAINT, &CMensuroDlg::OnPaint},
    {WM_ERASEBKGND, &CMensuroDlg::OnEraseBkgnd},
    {WM_QUERYDRAGICON, &CMensuroDlg::OnQueryDragIcon},
    {WM_HELP, &CMensuroDlg::OnHelp},
    {WM_NCHITTEST, &CMensuroDlg::OnNcHitTest},
    {WM_SETCURSOR, &CMensuroDlg::OnSetCursor},
    {WM_WINDOWPOSCHANGING, &CMensuroDlg::OnWindowPosChanging},
    {WM_SIZE, &CMensuroDlg::OnSize},
    {WM_DPICHANGED, &CMensuroDlg::OnDpiChanged},
    {WM_RBUTTONDOWN, &CMensuroDlg::OnRButtonDown},
    {WM_RBUTTONUP, &CMensuroDlg::OnRButtonUp},
    {WM_NCRBUTTONDOWN, &CMensuroDlg::OnNcRButtonDown},
    {WM_NCRBUTTONUP, &CMensuroDlg::OnNcRButtonUp},
    {WM_MOUSEMOVE, &CMensuroDlg::OnMouseMove},
};

const CommandEntry<CMensuroDlg> CMensuroDlg::s_commands[] = {
    {ID_APP_ABOUT, &CMensuroDlg::OnCmdAbout},
};

CMensuroDlg::CMensuroDlg(HWND parent) : CModalDialog(IDD_MENSURO, parent)
{
    m_hIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MENSURO), IMAGE_ICON, 16, 16, LR_SHARED));
    m_surface.Create(200, 200, 24);
}

CMensuroDlg::~CMensuroDlg() = default;

bool CMensuroDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (DispatchMessageTable(this, s_messages, message, wParam, lParam, result)) return true;
    if (message == WM_COMMAND && DispatchCommandTable(this, s_commands, wParam)) {
        result = 0;
        return true;
    }
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

BOOL CMensuroDlg::OnInitDialog()
{
    CModalDialog::OnInitDialog();

    // A tool window without a taskbar button.
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & ~WS_EX_APPWINDOW);
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // Not owned by the ruler: an owned (topmost) tooltip keeps its owner out of the
    // topmost band on some window managers. The ruler destroys it itself.
    m_toolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (m_toolTip) {
        SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
        TOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    {
        RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
        PersistOptions(profile, true);
    }

    SetWindowTextW(m_hWnd, L"Mensuro");

    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)))
        GetObjectW(font, sizeof(m_labelFont), &m_labelFont);
    m_labelFont.lfWeight = 600;

    Relayout();
    return TRUE;
}

LRESULT CMensuroDlg::OnDestroy(WPARAM, LPARAM)
{
    {
        RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
        PersistOptions(profile, false);
    }
    if (m_toolTip) {
        DestroyWindow(m_toolTip);
        m_toolTip = nullptr;
    }
    return Default();
}

void CMensuroDlg::PersistOptions(ProfileStore& store, bool loading)
{
    RECT current = {};
    GetWindowRect(m_hWnd, &current);
    WindowRect rect = FromRect(current);
    rect.Persist(store, RulerOptions::Section, loading);
    RulerOptions::Persist(store, loading);
    if (!loading) return;

    Sanitize();
    rect = SaneWindowRect(rect, FromRect(current));
    // A monitor that was unplugged must not take the ruler with it.
    if (!IsOnAnyMonitor(rect)) rect = MoveOntoMonitor(rect, NearestMonitorRect(rect));
    SetWindowPos(m_hWnd, (Option & OptTopmost) ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top,
                 rect.Width(), rect.Height(), 0);
}

bool CMensuroDlg::PreTranslateMessage(MSG& msg)
{
    const bool ours = msg.hwnd == m_hWnd || IsChild(m_hWnd, msg.hwnd);
    // Every key press goes to the ruler's own handler; dialog keys never end it.
    if (msg.message == WM_KEYDOWN && ours) {
        SendMessageW(m_hWnd, WM_KEYDOWN, msg.wParam, msg.lParam);
        return true;
    }
    if ((Option & OptTooltip) && m_toolTip && ours)
        SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    return CModalDialog::PreTranslateMessage(msg);
}

void CMensuroDlg::OnCmdAbout()
{
    CAboutDlg about;
    about.DoModal();
}

// ---------------------------------------------------------------------------
// Trivial messages

LRESULT CMensuroDlg::OnEraseBkgnd(WPARAM, LPARAM)
{
    return TRUE; // the paint handler covers every pixel
}

LRESULT CMensuroDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT CMensuroDlg::OnHelp(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CMensuroDlg::OnDpiChanged(WPARAM, LPARAM)
{
    // One screen pixel stays one ruler pixel: keep the size, ignore the suggested rectangle.
    return 0;
}

// ---------------------------------------------------------------------------
// Painting

WindowRect CMensuroDlg::ClientRect() const
{
    RECT rc = {};
    GetClientRect(m_hWnd, &rc);
    return FromRect(rc);
}

WindowRect CMensuroDlg::LineRect(const WindowRect& client, int32_t value, bool vertical) const
{
    return ::LineRect(client, value, vertical, ScaleSize, LineSize);
}

void CMensuroDlg::Relayout()
{
    const WindowRect client = ClientRect();
    ReloadScaleBars(client);
    BuildRegion(client);
    ComposeImage(m_surface.GetDC(), client);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMensuroDlg::ReloadScaleBars(const WindowRect& client)
{
    m_scaleBars.resize(4);
    {
        RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
        char section[16];
        for (int i = 1; i <= 4; ++i) {
            std::snprintf(section, sizeof(section), "ScaleBar%d", i);
            m_scaleBars[i - 1].Persist(profile, section, true);
        }
    }
    static const uint32_t masks[4] = {0x181, 0x141, 0x121, 0x111};
    for (int i = 0; i < 4; ++i) m_scaleBars[i].Layout(Flags & masks[i], client, ScaleSize);
}

void CMensuroDlg::BuildRegion(const WindowRect& client)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const WindowRect& r : RegionRects(client, m_scaleBars, ScaleSize, LineSize, m_linesX, m_linesY)) {
        GdiObject<HRGN> part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        CombineRgn(region, region, part.get(), RGN_OR);
    }
    // The window owns the region from here on.
    if (!SetWindowRgn(m_hWnd, region, TRUE)) DeleteObject(region);
}

void CMensuroDlg::ComposeImage(HDC dc, const WindowRect& client)
{
    if (!dc) return;
    const RECT all = ToRect(client);
    const COLORREF back = m_scaleBars.empty() ? RGB(255, 255, 255) : m_scaleBars[0].Back;
    {
        GdiObject<HBRUSH> brush(CreateSolidBrush(back));
        FillRect(dc, &all, brush.get());
    }

    {
        GdiObject<HFONT> font(CreateFontIndirectW(&m_labelFont));
        SelectedObject selected(dc, font.get());
        for (const ScaleBarStyle& bar : m_scaleBars) bar.Paint(dc);
        DrawGuideLines(dc, client);
    }

    RECT box = {0, 0, 22, 22};
    DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    if (m_hIcon) DrawIconEx(dc, box.left + 3, box.top + 3, m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);

    RECT grip = {all.right - 18, all.bottom - 18, all.right, all.bottom};
    DrawEdge(dc, &grip, EDGE_ETCHED, BF_RECT);
    InflateRect(&grip, -2, -2);
    DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void CMensuroDlg::DrawGuideLines(HDC dc, const WindowRect& client)
{
    GdiObject<HBRUSH> brush(CreateSolidBrush(LineColor));
    SavedDC saved(dc);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, brush.get());
    SetTextColor(dc, LineTextColor);
    SetBkColor(dc, m_scaleBars.empty() ? RGB(255, 255, 255) : m_scaleBars[0].Back);
    SetBkMode(dc, OPAQUE);
    for (int32_t x : m_linesX)
        if (LineShown(client, x, true, ScaleSize)) DrawGuideLine(dc, client, x, true);
    for (int32_t y : m_linesY)
        if (LineShown(client, y, false, ScaleSize)) DrawGuideLine(dc, client, y, false);
}

void CMensuroDlg::DrawGuideLine(HDC dc, const WindowRect& client, int32_t value, bool vertical)
{
    const WindowRect line = LineRect(client, value, vertical);
    // With the null pen, Rectangle leaves out the last column and row: exactly L pixels.
    Rectangle(dc, line.left, line.top, line.right, line.bottom);

    wchar_t text[32];
    const int w = client.Width(), h = client.Height(), half = ScaleSize / 2;
    if (vertical) {
        std::swprintf(text, 32, L" %d ", value);
        RECT top = {line.left, 0, line.right, 32};
        DrawTextW(dc, text, -1, &top, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
        RECT bottom = {line.left, h - 32, line.right, h};
        DrawTextW(dc, text, -1, &bottom, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP);
    } else {
        std::swprintf(text, 32, L"%3d", value);
        RECT left = {0, line.top - 1, half, line.bottom};
        InflateRect(&left, -2, -2);
        DrawTextW(dc, text, -1, &left, DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        RECT right = {w - half, line.top - 1, w, line.bottom};
        InflateRect(&right, -2, -2);
        DrawTextW(dc, text, -1, &right, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    }
}

LRESULT CMensuroDlg::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    const WindowRect client = ClientRect();
    if (IsIconic(m_hWnd)) {
        SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
        DrawIcon(dc, (client.Width() - cx + 1) / 2, (client.Height() - cy + 1) / 2, m_hIcon);
    } else if (m_surface.GetDC()) {
        m_surface.BlitTo(dc, 0, 0);
    } else {
        // No surface (the size was too large for one): draw straight to the screen.
        ComposeImage(dc, client);
    }
    EndPaint(m_hWnd, &ps);
    return 0;
}

// ---------------------------------------------------------------------------
// Geometry: hit-testing, cursor, size

LRESULT CMensuroDlg::OnNcHitTest(WPARAM, LPARAM lParam)
{
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    const int code = RulerHitTest(FromRect(window), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
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
    m_surface.Create(w, h, 24);
    m_surface.Fill(0x55);
    Relayout();
    return result;
}

// ---------------------------------------------------------------------------
// Window targeting with the right button

void CMensuroDlg::StartTargeting(POINT p)
{
    if (m_mouseMode != MouseIdle) return;
    m_anchor = p;
    m_mouseMode = MouseTargeting;
    SetCapture(m_hWnd);
    m_pTarget = nullptr;
    SetRectEmpty(&m_targetRect);
}

LRESULT CMensuroDlg::OnRButtonDown(WPARAM, LPARAM lParam)
{
    StartTargeting({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return Default();
}

LRESULT CMensuroDlg::OnNcRButtonDown(WPARAM, LPARAM lParam)
{
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_hWnd, &p);
    StartTargeting(p);
    return Default();
}

LRESULT CMensuroDlg::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_mouseMode == MouseTargeting) TrackTarget(p, (wParam & MK_CONTROL) != 0);
    return Default();
}

void CMensuroDlg::DrawTargetOutline(const RECT& rect)
{
    // An empty rectangle drawn with a wide pen would leave a dot that nothing erases.
    if (IsRectEmpty(&rect)) return;
    HDC screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!screen) return;
    {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 4, RGB(0, 0, 0)));
        SelectedObject selectedPen(screen, pen.get());
        SelectedObject selectedBrush(screen, GetStockObject(NULL_BRUSH));
        const int oldRop = SetROP2(screen, R2_NOT);
        Rectangle(screen, rect.left, rect.top, rect.right, rect.bottom);
        SetROP2(screen, oldRop);
    }
    DeleteDC(screen);
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

void CMensuroDlg::FinishTargeting(POINT q, bool ctrl)
{
    if (m_mouseMode != MouseTargeting) return;
    ReleaseCapture();
    m_mouseMode = MouseIdle;
    DrawTargetOutline(m_targetRect);
    SetRectEmpty(&m_targetRect);
    m_pTarget = nullptr;

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
        RECT inner = ToRect(FromRect(window).Deflated(ScaleSize));
        if (GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) {
            if (StringMessageBox(m_hWnd, IDS_CONFIRM_CHILD_RESIZE, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
            if (HWND parent = GetParent(target))
                MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inner), 2);
        }
        SetWindowPos(target, nullptr, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top,
                     SWP_NOZORDER);
    } else {
        RECT rect = {};
        GetWindowRect(target, &rect);
        const WindowRect fit = FitRulerAround(FromRect(rect), MonitorRectOf(m_hWnd), ScaleSize);
        SetWindowPos(m_hWnd, nullptr, fit.left, fit.top, fit.Width(), fit.Height(), SWP_NOZORDER);
    }
    SetForegroundWindow(target);
}

LRESULT CMensuroDlg::OnRButtonUp(WPARAM wParam, LPARAM lParam)
{
    FinishTargeting({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_CONTROL) != 0);
    return Default();
}

LRESULT CMensuroDlg::OnNcRButtonUp(WPARAM, LPARAM lParam)
{
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_hWnd, &p);
    FinishTargeting(p, false);
    return Default();
}

// ---------------------------------------------------------------------------
// Context menu

void CMensuroDlg::ShowContextMenu(int x, int y)
{
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    // The command reaches the window as an ordinary WM_COMMAND after the menu closes.
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
}
