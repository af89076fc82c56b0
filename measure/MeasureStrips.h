#pragma once

// Window-free: where the Measure mode repaints and where its hint goes. A move of the
// pointer repaints the strips the live measurement covered and covers now, never the
// whole monitor, so a move at 3840 x 2160 stays cheap.

#include "measure/MeasurePins.h"
#include "ruler/WindowRect.h"

#include <cstdint>
#include <vector>

// The screen rectangles (right/bottom exclusive) a measurement's drawing covers, its labels
// within `margin`: a span's horizontal and vertical strips and the size label beside its
// point; a box's, line's or angle's bounds and the room for its label.
std::vector<WindowRect> MeasurementStrips(const Measurement& m, int32_t margin);

// The hint box of `width` x `height`: centred at the top of the monitor, `margin` below its
// edge, or at the bottom while the pointer is within `margin` of where it would be at the top.
WindowRect PlaceMeasureHint(const WindowRect& monitor, int32_t width, int32_t height, int32_t margin,
                            MeasurePoint pointer);
