#pragma once

// The tray icon owns its icon in the notification area (shown while the option says so,
// put back when the shell restarts, removed at the end), the command "TaskTray" and the
// clicks on the icon. It reads the ruler's window, icon and tooltip and changes only the
// tray option bit.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

#include <windows.h>
#include <shellapi.h>

// The tray icon's callback message and id.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 16;
constexpr UINT kTrayIconId = 1;
extern const char kTrayTip[];

// The record handed to the shell, in the first version's 88-byte layout: the
// icon and callback when shown, only the window and id when removed. A tip of 64
// characters or more is cut to 63 so that the field ends in a zero byte.
NOTIFYICONDATAA MakeTrayRecord(HWND window, HICON icon, UINT message, const char* tip, bool show);

// Adds (show) or removes the icon; the shell's answer is not checked.
void SetTrayIcon(HWND window, HICON icon, UINT message, const char* tip, bool show);

// The shell's "TaskbarCreated" message: sent to top-level windows when the shell
// (re)starts, so that tray icons can be added again.
UINT TaskbarCreatedMessage();

class CTrayIcon : public RulerTool {
public:
    explicit CTrayIcon(RulerHost& host) : m_host(host) {}

    void OnStart() override;
    void OnEnd() override;
    bool OnCommand(UINT id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void UpdateMenu(HMENU popup) const override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;

private:
    void Show(bool show);
    void OnClick();
    // The dialog or message box that holds the ruler disabled.
    HWND OpenModalWindow() const;

    RulerHost& m_host;
};
