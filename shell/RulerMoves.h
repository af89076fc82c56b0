#pragma once

// Moving the ruler's window by keys: "Ruler to Pointer" (a global key, /show) and the
// Alt+arrow steps. The rules are window-free (shell/RulerPlacement.h); these functions
// apply them to a window and know nothing else of the ruler. A move cancels the window's
// mouse mode first (WM_CANCELMODE), as a menu does.

#include "ruler/WindowRect.h"
#include "shell/RulerPlacement.h"

#include <windows.h>

#include <vector>

// Brings the ruler to the front and activates it - or, while it is disabled, the dialog it
// has open. With `toPointer`, first moves it so that its inner area's top-left, `inner`
// from the window's top-left, is at the pointer, kept on the pointer's monitor.
void BringRulerForward(HWND ruler, POINT inner, bool toPointer);

// Moves the window by a step, its size and Z order kept.
void MoveRulerBy(HWND ruler, const RulerStep& step);

