#pragma once

// Window-free sums over screen rectangles: overlaps and distances, in 64 bits where a
// product or a difference of far-apart edges could pass 32.

#include "ruler/WindowRect.h"

#include <algorithm>
#include <cstdint>

// The part of `a` that `b` covers; IsEmpty() when they do not meet.
inline WindowRect Intersection(const WindowRect& a, const WindowRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

inline int64_t OverlapArea(const WindowRect& a, const WindowRect& b)
{
    const WindowRect i = Intersection(a, b);
    return i.IsEmpty() ? 0 : int64_t{i.Width()} * i.Height();
}

// The squared distance between the nearest pixels of two rectangles; 0 when they overlap.
inline int64_t GapSquared(const WindowRect& a, const WindowRect& b)
{
    const int64_t dx = std::max<int64_t>({0, int64_t{b.left} - a.right + 1, int64_t{a.left} - b.right + 1});
    const int64_t dy = std::max<int64_t>({0, int64_t{b.top} - a.bottom + 1, int64_t{a.top} - b.bottom + 1});
    return dx * dx + dy * dy;
}
