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

namespace {

struct ModalSearch {
    HWND ruler, toolTip, found;
};

BOOL CALLBACK FindOwnedByRuler(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ModalSearch*>(param);
    // A window that is never activated (the loupe) holds nobody modal.
    const bool activates = !(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    if (window == search->toolTip || !activates || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
        if (owner != search->ruler) continue;
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

// The dialog or message box that holds the ruler disabled: a visible window that takes
// input and activation and is owned, directly or through another dialog, by the ruler.
HWND CMensuroDlg::OpenModalWindow() const
{
    ModalSearch search = {m_hWnd, m_toolTip.get(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindOwnedByRuler, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT CMensuroDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        // A disabled ruler has a dialog or message box open: the click brings it
        // forward, where a menu would start a second one once it closes.
        if (!IsWindowEnabled(m_hWnd)) {
            if (HWND open = OpenModalWindow()) SetForegroundWindow(open);
            break;
        }
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
