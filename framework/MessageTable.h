#pragma once

#include <windows.h>

#include <cstddef>

// A window class's behaviour in one place: a static table from message to handler,
// one from command (control id and notification code) to handler, and one from
// WM_NOTIFY (control id and code) to handler.
//
//   const MessageEntry<CMensuroDlg> CMensuroDlg::s_messages[] = {
//       {WM_SIZE, &CMensuroDlg::OnSize},
//   };
//   const CommandEntry<CSettingsDlg> CSettingsDlg::s_commands[] = {
//       {IDC_PITCH_S, &CSettingsDlg::OnChangePitch, EN_CHANGE},
//       {IDC_TOP_BAR, &CSettingsDlg::OnBarBox},          // any notification
//   };
//   const NotifyEntry<CSettingsDlg> CSettingsDlg::s_notifies[] = {
//       {IDC_TABS, TCN_SELCHANGE, &CSettingsDlg::OnTabChange},
//   };

template <class T>
struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam);
};

// Matches every notification code of a command entry (menu commands, buttons).
constexpr UINT AnyCode = 0xFFFFFFFFu;

// The first entry whose id and code match wins, so an entry for one code of a
// control goes before an AnyCode entry of the same control.
template <class T>
struct CommandEntry {
    UINT id;
    void (T::*handler)();
    UINT code = AnyCode;
};

template <class T>
struct NotifyEntry {
    UINT id;
    UINT code;
    LRESULT (T::*handler)(NMHDR* header);
};

// Calls the handler of `message`, if the table has one.
template <class T, size_t N>
bool DispatchMessageTable(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result)
{
    for (const MessageEntry<T>& entry : table) {
        if (entry.message == message) {
            result = (self->*entry.handler)(wParam, lParam);
            return true;
        }
    }
    return false;
}

// Calls the handler of a WM_COMMAND's id and notification code, if the table has one.
template <class T, size_t N>
bool DispatchCommandTable(T* self, const CommandEntry<T> (&table)[N], WPARAM wParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (const CommandEntry<T>& entry : table) {
        if (entry.id == id && (entry.code == AnyCode || entry.code == code)) {
            (self->*entry.handler)();
            return true;
        }
    }
    return false;
}

// Calls the handler of a WM_NOTIFY's control id and code, if the table has one.
template <class T, size_t N>
bool DispatchNotifyTable(T* self, const NotifyEntry<T> (&table)[N], LPARAM lParam, LRESULT& result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return false;
    for (const NotifyEntry<T>& entry : table) {
        if (entry.id == header->idFrom && entry.code == header->code) {
            result = (self->*entry.handler)(header);
            return true;
        }
    }
    return false;
}

// A client-area mouse message's point (signed: a captured pointer can be left of
// or above the window).
inline POINT PointFromLParam(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
