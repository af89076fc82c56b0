#pragma once

#include <windows.h>

#include <vector>

// The program's own windows (tooltip, loupe, feedback) are never part of what it grabs
// from the screen.

// Asks the system to leave the window out of every screen capture where it can (Windows
// 10 2004 on); elsewhere nothing happens and the window must be hidden for a grab.
void ExcludeFromCapture(HWND window);

// Hides the given windows that show for the length of a scope, and has what lay below
// them painted before the scope's grab reads the screen; shows them again at the end.
class HiddenForGrab {
public:
    explicit HiddenForGrab(const std::vector<HWND>& windows);
    ~HiddenForGrab();
    HiddenForGrab(const HiddenForGrab&) = delete;
    HiddenForGrab& operator=(const HiddenForGrab&) = delete;

private:
    std::vector<HWND> m_hidden;
};
