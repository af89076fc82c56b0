#pragma once

// Where the ruler goes when a key moves it: "Ruler to Pointer" and the Alt+arrow steps.
// Window-free; positions are screen pixels.

#include "ruler/WindowRect.h"

#include <cstdint>
#include <optional>
#include <vector>

// "Ruler to Pointer": the ruler's window rectangle moved, its size kept, so that the
// inner area's top-left corner - (innerLeft, innerTop) from the window's own top-left -
// lies at the pointer. The window is then kept on the pointer's monitor (the one holding
// the pointer, else the nearest) as far as it fits: a window that fits is moved inside
// it, one larger than the monitor covers it with the least move. Without monitors the
// window stays at the pointer.
WindowRect RulerAtPointer(const WindowRect& window, int32_t innerLeft, int32_t innerTop, int32_t pointerX,
                          int32_t pointerY, const std::vector<WindowRect>& monitors);

// How far Alt+Shift+arrow moves the ruler; Alt+arrow moves it one pixel.
constexpr int32_t kRulerBigStep = 10;

struct RulerStep {
    int32_t dx = 0;
    int32_t dy = 0;
};

// The step of an arrow key pressed with Alt (a WM_SYSKEYDOWN's virtual key), ten pixels
// with Shift; nothing for any other key.
std::optional<RulerStep> RulerMoveStep(uint32_t virtualKey, bool shift);
