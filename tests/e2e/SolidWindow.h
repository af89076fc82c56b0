#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

// A borderless, non-topmost window of the test process in one solid colour, to lie under the
// ruler or to be targeted by it. It lives on the window thread (WindowThread.h), which handles
// its messages while the test runs, and records where it receives left presses.
class SolidWindow {
public:
    // A click does not activate it unless `activates`: under Wine's virtual desktop an
    // activated window's picture is raised above the topmost ruler's, which hides the ruler's
    // bars where they overlap and hands their clicks to the window.
    SolidWindow(const RECT& screenRect, COLORREF colour, bool activates = false);
    ~SolidWindow();
    SolidWindow(const SolidWindow&) = delete;
    SolidWindow& operator=(const SolidWindow&) = delete;

    HWND Handle() const { return m_window; }
    RECT Rect() const;
    // Whether a left press has reached the window at this screen point.
    bool WasPressedAt(int x, int y) const;
    // Adds a push-button child at rect, in this window's client coordinates.
    HWND AddButton(const RECT& rect);

private:
    struct State {
        COLORREF colour;
        bool activates;
        mutable std::mutex lock; // the presses come in on the window thread
        std::vector<POINT> presses;
    };
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    State m_state;
    HWND m_window = nullptr;
};
