#pragma once

#include "ruler/WindowRect.h"

#include <windows.h>

// Another window as the ruler's targeting sees it: the frame the user sees (without the
// invisible resize borders of Windows 10 and later), and the monitor it stands on, so a
// fit around it is cut to that monitor rather than the ruler's.
WindowRect VisibleFrameOf(HWND window);
WindowRect MonitorOfTarget(const WindowRect& frame);
