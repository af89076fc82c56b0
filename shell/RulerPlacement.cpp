#include "shell/RulerPlacement.h"

#include "shell/KeyCodes.h"

#include <algorithm>

namespace {

// The start of a span of `length` placed as near `wanted` as lets it lie inside
// [low, high), or cover it when it is longer.
int32_t KeepInside(int32_t wanted, int32_t length, int32_t low, int32_t high)
{
    if (length <= high - low) return std::clamp(wanted, low, high - length);
    return std::clamp(wanted, high - length, low);
}

// Distance from a point to a rectangle along each axis, summed; 0 inside.
int64_t DistanceTo(const WindowRect& r, int32_t x, int32_t y)
{
    const int64_t dx = x < r.left ? int64_t{r.left} - x : (x >= r.right ? int64_t{x} - r.right + 1 : 0);
    const int64_t dy = y < r.top ? int64_t{r.top} - y : (y >= r.bottom ? int64_t{y} - r.bottom + 1 : 0);
    return dx + dy;
}

const WindowRect* MonitorOfPoint(const std::vector<WindowRect>& monitors, int32_t x, int32_t y)
{
    const WindowRect* nearest = nullptr;
    int64_t best = 0;
    for (const WindowRect& m : monitors) {
        if (m.IsEmpty()) continue;
        const int64_t d = DistanceTo(m, x, y);
        if (!nearest || d < best) {
            nearest = &m;
            best = d;
        }
    }
    return nearest;
}

} // namespace

WindowRect RulerAtPointer(const WindowRect& window, int32_t innerLeft, int32_t innerTop, int32_t pointerX,
                          int32_t pointerY, const std::vector<WindowRect>& monitors)
{
    int32_t left = pointerX - innerLeft;
    int32_t top = pointerY - innerTop;
    if (const WindowRect* monitor = MonitorOfPoint(monitors, pointerX, pointerY)) {
        left = KeepInside(left, window.Width(), monitor->left, monitor->right);
        top = KeepInside(top, window.Height(), monitor->top, monitor->bottom);
    }
    return {left, top, left + window.Width(), top + window.Height()};
}

std::optional<RulerStep> RulerMoveStep(uint32_t virtualKey, bool shift)
{
    const int32_t d = shift ? kRulerBigStep : 1;
    switch (virtualKey) {
    case KeyCode::Left: return RulerStep{-d, 0};
    case KeyCode::Right: return RulerStep{d, 0};
    case KeyCode::Up: return RulerStep{0, -d};
    case KeyCode::Down: return RulerStep{0, d};
    default: return std::nullopt;
    }
}
