#pragma once

// Window-free: where a span's length labels go. Each label has the spot it would take
// beside its ray and the way it gives way (outward along its ray); a spot taken by the
// size label, the pointer or a label placed before it pushes it just past that box, so
// two short rays' labels never land on each other.

#include "ruler/WindowRect.h"

#include <cstdint>
#include <vector>

struct LabelWish {
    WindowRect box;         // the spot it would take (right/bottom exclusive)
    int32_t dx = 0, dy = 0; // the way it gives way: -1, 0 or 1 on each axis, one of them non-zero
};

// The boxes of `wishes`, in order, none overlapping another or a box of `taken`, at least
// `spacing` apart. Each label moves only its own way, so it passes each box at most once.
std::vector<WindowRect> PlaceLabels(const std::vector<LabelWish>& wishes, std::vector<WindowRect> taken,
                                    int32_t spacing);
