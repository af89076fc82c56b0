#include "shell/TrayIcon.h"

#include "ruler/MensuroDlg.h"

#include <cstring>

const char kTrayTip[] = "Mensuro Ver.1.0.1";

NOTIFYICONDATAA MakeTrayRecord(HWND window, HICON icon, UINT message, const char* tip, bool show)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = NIF_ICON;
    if (!show) return record;
    record.uCallbackMessage = message;
    record.hIcon = icon;
    if (message) record.uFlags |= NIF_MESSAGE;
    if (tip) {
        record.uFlags |= NIF_TIP;
        // The first version's tip field is 64 bytes.
        std::strncpy(record.szTip, tip, 63);
        record.szTip[63] = '\0';
    }
    return record;
}

void SetTrayIcon(HWND window, HICON icon, UINT message, const char* tip, bool show)
{
    NOTIFYICONDATAA record = MakeTrayRecord(window, icon, message, tip, show);
    Shell_NotifyIconA(show ? NIM_ADD : NIM_DELETE, &record);
}

UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void CMensuroDlg::ShowTrayIcon(bool show)
{
    SetTrayIcon(m_hWnd, m_hIcon, WM_TRAYNOTIFY, kTrayTip, show);
}

LRESULT CMensuroDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        SetForegroundWindow(m_hWnd);
        POINT p = {};
        GetCursorPos(&p);
        ShowContextMenu(p.x, p.y);
        break;
    }
    default: break;
    }
    return 0;
}

LRESULT CMensuroDlg::OnTaskbarCreated(WPARAM, LPARAM)
{
    // A restarted shell has forgotten every icon; users expect ours to come back.
    if (Option & OptTaskTray) ShowTrayIcon(true);
    return 0;
}
