#pragma once

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
