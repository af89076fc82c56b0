#pragma once

// Window-free geometry of the Measure mode: which monitor a point is on, the span from
// the pointer to the nearest edges, a dragged box shrunk onto its content, a line's
// length and angle, and the angle between two arms. Every coordinate here is a
// virtual-screen device pixel, negative left of or above the primary monitor.

#include "measure/EdgeFinder.h"
#include "ruler/WindowRect.h"

#include <cstdint>
#include <vector>

enum class MeasureKind : uint8_t { Spacing, Horizontal, Vertical, Box, Line, Angle };
constexpr int32_t kMeasureKindCount = 6;
// Tab's order: the next kind after `kind`, Angle wrapping to Spacing.
MeasureKind NextMeasureKind(MeasureKind kind);

struct MeasurePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const MeasurePoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const MeasurePoint& o) const { return !(*this == o); }
};

// The frozen frame of every monitor: `block` covers the virtual screen's bounding rect,
// its pixel (0,0) at screen (`left`, `top`); `monitors` are the monitors' screen rects.
struct FrozenFrame {
    PixelBlock block;
    int32_t left = 0, top = 0;
    std::vector<WindowRect> monitors;
};
// The monitor holding the screen point, or -1 for a point on none.
int32_t MonitorAt(const std::vector<WindowRect>& monitors, int32_t x, int32_t y);

// Spacing (all four rays), Horizontal (left and right only) or Vertical (up and down only)
// from a screen point, on the frame with the finder's tolerance. Result in SCREEN
// coordinates, inclusive columns left..right and rows top..bottom of the span (width =
// right - left + 1: an area 200 px wide between two edges reads 200). A ray stops at its
// monitor's edge, and that edge counts as found. The rays a kind does not use leave the
// span at the point's own column/row (left == right == x, or top == bottom == y) and are
// not found. Invalid (valid == false) for a point on no monitor or off the frame.
EdgeArea MeasureSpan(const FrozenFrame& frame, MeasureKind kind, int32_t x, int32_t y, int32_t tolerance);

// Box: the dragged rectangle (screen, right/bottom exclusive) shrunk onto its content:
// the smallest box inside it holding every pixel unlike the border colour (the most
// common colour on the rectangle's one-pixel border; "unlike" = ColoursDiffer with the
// tolerance). A rectangle with nothing unlike inside, or one under 3 px in a side,
// stays as dragged. Clipped to the frame; corners given either way round.
WindowRect ShrinkBox(const FrozenFrame& frame, const WindowRect& dragged, int32_t tolerance);

// Line: from a to b. dx = b.x - a.x, dy = a.y - b.y (up positive), length = hypot,
// angle counter-clockwise from +x, up positive, in (-180, 180] degrees.
// (100,300) -> (140,270): dx 40, dy 30, length 50, angle 36.87.
struct LineReading {
    int32_t dx = 0, dy = 0;
    double length = 0, angle = 0;
};
LineReading ReadLine(MeasurePoint a, MeasurePoint b);
// Shift: b moved onto the nearest of the 8 directions from a (multiples of 45 degrees),
// keeping the length along that direction (diagonals rounded to whole pixels, |dx| == |dy|).
MeasurePoint ConstrainTo45(MeasurePoint a, MeasurePoint b);
// Angle: the angle between the arms vertex->a and vertex->b, 0 to 180 degrees; 0 when an arm is empty.
double ArmsAngle(MeasurePoint vertex, MeasurePoint a, MeasurePoint b);

// The wheel and + / -: the tolerance `direction` steps up (> 0) or down (< 0), 1 level a
// step below kToleranceFineTop and kToleranceCoarseStep above, stopping at 0 and
// MaxEdgeTolerance. A tolerance outside that range is first read as the default.
constexpr int32_t kToleranceFineTop = 16;
constexpr int32_t kToleranceCoarseStep = 4;
int32_t StepTolerance(int32_t tolerance, int direction);
