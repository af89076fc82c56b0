#pragma once

#include "ruler/WindowRect.h"

#include <vector>

// The whole rectangle (not the work area) of every monitor, in screen coordinates,
// asked of the system at each call. Never empty: where the system names no monitor,
// the virtual screen (else the primary screen) stands for them all.
std::vector<WindowRect> MonitorRects();
