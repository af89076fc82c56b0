#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One run of the real Mensuro.exe, driven from outside as a user would.
class RulerSession {
public:
    // Starts the program and waits until its window is on screen.
    RulerSession();
    // Ends the program through "Exit" if it still runs.
    ~RulerSession();
    RulerSession(const RulerSession&) = delete;
    RulerSession& operator=(const RulerSession&) = delete;

    bool Started() const { return m_window != nullptr; }
    HWND Window() const { return m_window; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    RECT Rect() const;
    bool Running() const;
    // Waits until the program has handled everything sent so far and the screen shows it.
    void Settle() const;
    // The program's own "Exit" command; returns its exit code (or STILL_ACTIVE on a hang).
    DWORD Exit();
    // A top-level window of the program with this title, other than the ruler.
    HWND FindOwnWindow(const wchar_t* title) const;

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

// Input the way a user makes it: real mouse and keyboard events.
namespace UserInput {
void MoveTo(int x, int y);
void Drag(int fromX, int fromY, int toX, int toY, bool rightButton = false, bool ctrl = false);
void Click(int x, int y, bool rightButton = false);
void Key(WORD vk);
} // namespace UserInput

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

// Handles this thread's window messages until done() holds or timeoutMs has passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
