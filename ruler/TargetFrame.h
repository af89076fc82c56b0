#pragma once

// Window-free choices for fitting the ruler around another window: which rectangle is
// the frame the user sees, and which monitor that window stands on.

#include "ruler/WindowRect.h"

#include <optional>
#include <vector>

// The frame the user sees of a window. Windows 10 and later give top-level windows
// resize borders that are invisible but counted by the window rectangle; the extended
// frame the system reports leaves them out. A child window, or an extended frame that
// is missing, empty or not inside the window rectangle, keeps the window rectangle.
WindowRect ChooseVisibleFrame(bool child, const WindowRect& windowRect, const std::optional<WindowRect>& extendedFrame);

// The monitor a window stands on: the one holding most of its pixels, the first of
// those on a tie; where it lies on none, the nearest. Empty when there are no monitors.
WindowRect ChooseTargetMonitor(const WindowRect& target, const std::vector<WindowRect>& monitors);
