#pragma once

#include "ruler/WindowRect.h"

#include <windows.h>

// The whole rectangle (not the work area) of the monitor nearest to the window.
// Without the multi-monitor functions the primary screen stands for every monitor.
WindowRect MonitorRectOf(HWND window);

// The monitor nearest to a screen rectangle, and whether the rectangle touches
// any monitor at all.
WindowRect NearestMonitorRect(const WindowRect& rect);
bool IsOnAnyMonitor(const WindowRect& rect);

// The DPI of the screen the window is on: per monitor where the system tells it
// (Windows 10 on), else the screen's; 96 when nothing answers.
int WindowDpi(HWND window);

// The DPI the window will have once moved to `rect`: its own where the rectangle lies on
// the window's monitor now, else that of the monitor the rectangle goes to.
int DpiWhereRectGoes(HWND window, const WindowRect& rect);

// A monitor's own scale where the system tells it (Windows 8.1 on), else the screen's.
int MonitorDpi(HMONITOR monitor);
