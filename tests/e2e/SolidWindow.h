#pragma once

#include <windows.h>

#include <vector>

// A borderless, non-topmost window of the test process in one solid colour, to lie under the
// ruler or to be targeted by it. It records where it receives left presses; its messages are
// handled only while the test pumps them (PumpUntil).
class SolidWindow {
public:
    SolidWindow(const RECT& screenRect, COLORREF colour);
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
        std::vector<POINT> presses;
    };
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    State m_state;
    HWND m_window = nullptr;
};
