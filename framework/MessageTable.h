#pragma once

#include <windows.h>

#include <cstddef>

// A window class's behaviour in one place: a static table from message to handler
// and one from command id to handler.
//
//   const MessageEntry<CMensuroDlg> CMensuroDlg::s_messages[] = {
//       { WM_SIZE, &CMensuroDlg::OnSize },
//   };

template <class T>
struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM wParam, LPARAM lParam);
};

template <class T>
struct CommandEntry {
    UINT id;
    void (T::*handler)();
};

// Calls the handler of `message`, if the table has one.
template <class T, size_t N>
bool DispatchMessageTable(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam,
                          LPARAM lParam, LRESULT& result)
{
    for (const MessageEntry<T>& entry : table) {
        if (entry.message == message) {
            result = (self->*entry.handler)(wParam, lParam);
            return true;
        }
    }
    return false;
}

// Calls the handler of a WM_COMMAND's id, if the table has one.
template <class T, size_t N>
bool DispatchCommandTable(T* self, const CommandEntry<T> (&table)[N], WPARAM wParam)
{
    const UINT id = LOWORD(wParam);
    for (const CommandEntry<T>& entry : table) {
        if (entry.id == id) {
            (self->*entry.handler)();
            return true;
        }
    }
    return false;
}
