#pragma once

#include <windows.h>

// Base of every window class of the program: ties a C++ object to an HWND by
// subclassing it, and hands each message to OnMessage. What a handler does not
// do itself, Default() does: the window's original procedure.
class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWindow* FromHandle(HWND hwnd);

    bool SubclassWindow(HWND hwnd);

protected:
    // Returns true when the message was handled and `result` set.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Default processing of the message now being handled.
    LRESULT Default();
    // The message now being handled, for a handler that serves several.
    UINT MessageBeingHandled() const { return m_current.message; }

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    WNDPROC m_superProc = nullptr;
    CurrentMessage m_current = {};
};
