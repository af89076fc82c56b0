#include "shell/TrayIcon.h"

#include "resources/resource.h"

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

void CTrayIcon::Show(bool show)
{
    SetTrayIcon(m_host.Window(), m_host.Icon(), WM_TRAYNOTIFY, kTrayTip, show);
}

void CTrayIcon::OnStart()
{
    if (m_host.Model().options.Option & OptTaskTray) Show(true);
}

void CTrayIcon::OnEnd()
{
    // Harmless when no icon is shown.
    Show(false);
}

bool CTrayIcon::OnCommand(UINT id)
{
    if (id != ID_TASKTRAY) return false;
    const bool on = !(m_host.Model().options.Option & OptTaskTray);
    m_host.ChangeModel([on](RulerModel& model) { SetOptionBit(model.options.Option, OptTaskTray, on); });
    Show(on);
    return true;
}

void CTrayIcon::UpdateMenu(HMENU popup) const
{
    const bool on = (m_host.Model().options.Option & OptTaskTray) != 0;
    CheckMenuItem(popup, ID_TASKTRAY, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CTrayIcon::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.push_back({ID_TASKTRAY, IDI_TASKTRAY});
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
HWND CTrayIcon::OpenModalWindow() const
{
    ModalSearch search = {m_host.Window(), m_host.ToolTip(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindOwnedByRuler, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CTrayIcon::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message == WM_TRAYNOTIFY) {
        const UINT event = static_cast<UINT>(lParam);
        if (event == WM_LBUTTONUP || event == WM_RBUTTONUP || event == WM_MBUTTONUP) OnClick();
        result = 0;
        return true;
    }
    // The shell restarted and has forgotten every icon; users expect ours to come back.
    // Its registered message has no fixed number.
    if (message != 0 && message == TaskbarCreatedMessage()) {
        if (m_host.Model().options.Option & OptTaskTray) Show(true);
        result = 0;
        return true;
    }
    return false;
}

void CTrayIcon::OnClick()
{
    // A disabled ruler has a dialog or message box open: the click brings it forward,
    // where a menu would start a second one once it closes.
    if (!IsWindowEnabled(m_host.Window())) {
        if (HWND open = OpenModalWindow()) SetForegroundWindow(open);
        return;
    }
    POINT p = {};
    GetCursorPos(&p);
    m_host.ShowContextMenu(p.x, p.y);
}
