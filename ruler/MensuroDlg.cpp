#include "ruler/MensuroDlg.h"

#include "app/AboutDlg.h"
#include "measure/LoupeWnd.h"
#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "ruler/Geometry.h"
#include "ruler/MonitorRect.h"
#include "ruler/Win32Rect.h"
#include "shell/IconMenu.h"
#include "shell/TrayIcon.h"

#include <commctrl.h>

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
    {WM_LBUTTONDOWN, &CMensuroDlg::OnLButtonDown},
    {WM_LBUTTONUP, &CMensuroDlg::OnLButtonUp},
    {WM_LBUTTONDBLCLK, &CMensuroDlg::OnLButtonDblClk},
    {WM_MOUSEMOVE, &CMensuroDlg::OnMouseMove},
    {WM_MEASUREITEM, &CMensuroDlg::OnMeasureItem},
    {WM_DRAWITEM, &CMensuroDlg::OnDrawItem},
    {WM_KEYDOWN, &CMensuroDlg::OnKeyDown},
    {WM_TIMER, &CMensuroDlg::OnTimer},
    {WM_TRAYNOTIFY, &CMensuroDlg::OnTrayNotify},
    {WM_CAPTURECHANGED, &CMensuroDlg::OnCaptureChanged},
    {WM_CANCELMODE, &CMensuroDlg::OnCancelMode},
    {WM_ENABLE, &CMensuroDlg::OnEnable},
    {WM_QUERYENDSESSION, &CMensuroDlg::OnQueryEndSession},
    {WM_ENDSESSION, &CMensuroDlg::OnEndSession},
};

const CommandEntry<CMensuroDlg> CMensuroDlg::s_commands[] = {
    {ID_TOPMOST, &CMensuroDlg::OnCmdTopmost},
    {ID_TASKTRAY, &CMensuroDlg::OnCmdTaskTray},
    {ID_MENU_ICON, &CMensuroDlg::OnCmdMenuIcon},
    {ID_SETTINGS, &CMensuroDlg::OnCmdSettings},
    {ID_ADD_LINE, &CMensuroDlg::OnCmdAddLine},
    {ID_DELETE_LINE, &CMensuroDlg::OnCmdDeleteLine},
    {ID_DELETE_ALL_LINES, &CMensuroDlg::OnCmdDeleteAllLines},
    {ID_LINE_LIST, &CMensuroDlg::OnCmdLineList},
    {ID_COPY, &CMensuroDlg::OnCmdCopy},
    {ID_SAVE_PICTURE, &CMensuroDlg::OnCmdSavePicture},
    {ID_COPY_SETTING, &CMensuroDlg::OnCmdCopySetting},
    {ID_SIZE_320, &CMensuroDlg::OnCmdSize320},
    {ID_SIZE_640, &CMensuroDlg::OnCmdSize640},
    {ID_SIZE_800, &CMensuroDlg::OnCmdSize800},
    {ID_SIZE_1024, &CMensuroDlg::OnCmdSize1024},
    {ID_SIZE_1280, &CMensuroDlg::OnCmdSize1280},
    {ID_SIZE_1600, &CMensuroDlg::OnCmdSize1600},
    {ID_APP_ABOUT, &CMensuroDlg::OnCmdAbout},
    {ID_LOUPE, &CMensuroDlg::OnCmdLoupe},
    {ID_LINES_AT_EDGES, &CMensuroDlg::OnCmdLinesAtEdges},
    {ID_SNAP_TO_EDGES, &CMensuroDlg::OnCmdSnapToEdges},
};

CMensuroDlg::CMensuroDlg(HWND parent) : CModalDialog(IDD_MENSURO, parent)
{
    m_hIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MENSURO), IMAGE_ICON, 16, 16, LR_SHARED));
    m_surface.Create(200, 200, 24);
}

CMensuroDlg::~CMensuroDlg()
{
    if (m_boxIcon) DestroyIcon(m_boxIcon);
}

bool CMensuroDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (DispatchMessageTable(this, s_messages, message, wParam, lParam, result)) return true;
    if (message == WM_COMMAND && DispatchCommandTable(this, s_commands, wParam)) {
        result = 0;
        return true;
    }
    // The shell restarted: its registered message has no fixed number for the table.
    if (message == TaskbarCreatedMessage() && message != 0) {
        result = OnTaskbarCreated(wParam, lParam);
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
    CreateToolTip();
    m_dpi = WindowDpi(m_hWnd);
    LoadFrameImages();

    {
        RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
        PersistOptions(profile, true);
    }
    if (Option & OptTaskTray) ShowTrayIcon(true);

    SetWindowTextW(m_hWnd, L"Mensuro");

    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)))
        GetObjectW(font, sizeof(m_labelFont), &m_labelFont);
    m_labelFont.lfWeight = 600;

    Relayout();
    if (Option & OptLoupe) SetLoupe(true);
    return TRUE;
}

LRESULT CMensuroDlg::OnDestroy(WPARAM, LPARAM)
{
    SaveAtEnd();
    m_toolTip.reset();
    return Default();
}

LRESULT CMensuroDlg::OnQueryEndSession(WPARAM, LPARAM)
{
    // The session may end: nothing a mode drew stays on the screen.
    EndMouseMode(ModeExit::Cancel);
    return TRUE;
}

LRESULT CMensuroDlg::OnEndSession(WPARAM ending, LPARAM)
{
    // Windows ends the process after this without destroying the window.
    if (ending) SaveAtEnd();
    return 0;
}

// What Exit does as the window goes: the icon leaves the tray, options and rectangle
// are saved. Once: the session's end comes first when there is one.
void CMensuroDlg::SaveAtEnd()
{
    if (m_savedAtEnd) return;
    m_savedAtEnd = true;
    // Harmless when no icon is shown.
    ShowTrayIcon(false);
    RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
    PersistOptions(profile, false);
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
    SetWindowPos(m_hWnd, (Option & OptTopmost) ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.Width(),
                 rect.Height(), 0);
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

void CMensuroDlg::OnCmdAbout()
{
    CAboutDlg about(m_hWnd);
    RunDialog(about);
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
