#pragma once

#include <windows.h>


// The program's own windows (tooltip, loupe, feedback) are never part of what it grabs
// from the screen.

// Asks the system to leave the window out of every screen capture where it can (Windows
// 10 2004 on); elsewhere nothing happens and the window must be put aside for a grab.
void ExcludeFromCapture(HWND window);
