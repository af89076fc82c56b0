#include "measure/PointerMeasure.h"

#include "ruler/RulerOptions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kDegreesPerRadian = 57.295779513082320876798;

WindowRect FrameRect(const FrozenFrame& frame)
{
    return {frame.left, frame.top, frame.left + frame.block.width, frame.top + frame.block.height};
}

WindowRect Intersect(const WindowRect& a, const WindowRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The part of the frame inside `area` (screen), as a block of its own.
PixelBlock SubBlock(const FrozenFrame& frame, const WindowRect& area)
{
    PixelBlock sub = frame.block;
    sub.origin = frame.block.At(area.left - frame.left, area.top - frame.top);
    sub.width = area.Width();
    sub.height = area.Height();
    return sub;
}

uint32_t ColourKey(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

// The most common colour on the block's one-pixel border (the lowest key on a tie, so the
// answer does not depend on the order the border is read in).
uint32_t BorderColour(const PixelBlock& block)
{
    std::vector<uint32_t> keys;
    keys.reserve(size_t(2) * size_t(block.width + block.height));
    for (int32_t x = 0; x < block.width; ++x) {
        keys.push_back(ColourKey(block.At(x, 0)));
        keys.push_back(ColourKey(block.At(x, block.height - 1)));
    }
    for (int32_t y = 1; y + 1 < block.height; ++y) {
        keys.push_back(ColourKey(block.At(0, y)));
        keys.push_back(ColourKey(block.At(block.width - 1, y)));
    }
    std::sort(keys.begin(), keys.end());
    uint32_t best = keys.front();
    size_t bestCount = 0;
    for (size_t i = 0; i < keys.size();) {
        size_t j = i;
        while (j < keys.size() && keys[j] == keys[i]) ++j;
        if (j - i > bestCount) {
            best = keys[i];
            bestCount = j - i;
        }
        i = j;
    }
    return best;
}

} // namespace

MeasureKind NextMeasureKind(MeasureKind kind)
{
    return static_cast<MeasureKind>((static_cast<int32_t>(kind) + 1) % kMeasureKindCount);
}

int32_t MonitorAt(const std::vector<WindowRect>& monitors, int32_t x, int32_t y)
{
    for (size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].Contains(x, y)) return static_cast<int32_t>(i);
    return -1;
}

EdgeArea MeasureSpan(const FrozenFrame& frame, MeasureKind kind, int32_t x, int32_t y, int32_t tolerance)
{
    const int32_t monitor = MonitorAt(frame.monitors, x, y);
    if (monitor < 0) return EdgeArea();
    // Scanning only the pointer's monitor makes its edge the end of every ray, so no
    // span reaches across monitors of different scales.
    const WindowRect area = Intersect(frame.monitors[size_t(monitor)], FrameRect(frame));
    if (!area.Contains(x, y)) return EdgeArea();
    const PixelBlock block = SubBlock(frame, area);
    const int32_t bx = x - area.left, by = y - area.top;
    const EdgeMask none;
    const auto ray = [&](RayDirection direction) {
        return ScanRay(block, none, bx, by, direction, tolerance).boundary;
    };

    EdgeArea span;
    span.valid = true;
    span.left = span.right = x;
    span.top = span.bottom = y;
    if (kind != MeasureKind::Vertical) {
        span.left = area.left + ray(RayDirection::Left);
        span.right = area.left + ray(RayDirection::Right) - 1;
        span.leftFound = span.rightFound = true;
    }
    if (kind != MeasureKind::Horizontal) {
        span.top = area.top + ray(RayDirection::Up);
        span.bottom = area.top + ray(RayDirection::Down) - 1;
        span.topFound = span.bottomFound = true;
    }
    return span;
}

WindowRect ShrinkBox(const FrozenFrame& frame, const WindowRect& dragged, int32_t tolerance)
{
    // A drag up or to the left gives its corners the other way round.
    const WindowRect drawn(std::min(dragged.left, dragged.right), std::min(dragged.top, dragged.bottom),
                           std::max(dragged.left, dragged.right), std::max(dragged.top, dragged.bottom));
    const WindowRect box = Intersect(drawn, FrameRect(frame));
    if (box.Width() < 3 || box.Height() < 3) return box;
    const PixelBlock block = SubBlock(frame, box);
    const uint32_t key = BorderColour(block);
    const uint8_t border[3] = {uint8_t(key), uint8_t(key >> 8), uint8_t(key >> 16)};
    const auto unlike = [&](int32_t x, int32_t y) { return ColoursDiffer(block.At(x, y), border, tolerance); };
    const auto rowHolds = [&](int32_t y) {
        for (int32_t x = 0; x < block.width; ++x)
            if (unlike(x, y)) return true;
        return false;
    };

    int32_t top = 0;
    while (top < block.height && !rowHolds(top)) ++top;
    if (top == block.height) return box;
    int32_t bottom = block.height - 1;
    while (!rowHolds(bottom)) --bottom;
    // Each row between needs reading only outside the columns found so far.
    int32_t left = block.width, right = -1;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = 0; x < left; ++x)
            if (unlike(x, y)) {
                left = x;
                break;
            }
        for (int32_t x = block.width - 1; x > right; --x)
            if (unlike(x, y)) {
                right = x;
                break;
            }
    }
    return {box.left + left, box.top + top, box.left + right + 1, box.top + bottom + 1};
}

LineReading ReadLine(MeasurePoint a, MeasurePoint b)
{
    LineReading line;
    line.dx = b.x - a.x;
    line.dy = a.y - b.y;
    line.length = std::hypot(double(line.dx), double(line.dy));
    // atan2 of +0 and a negative dx gives +180, never -180.
    line.angle = line.length > 0 ? std::atan2(double(line.dy), double(line.dx)) * kDegreesPerRadian : 0;
    return line;
}

MeasurePoint ConstrainTo45(MeasurePoint a, MeasurePoint b)
{
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    if (dx == 0 && dy == 0) return b;
    const double pi = 4 * std::atan(1.0);
    const long octant = std::lround(std::atan2(dy, dx) / (pi / 4)) & 7; // 0 = +x, screen y down
    static const int kStep[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    const int sx = kStep[octant][0], sy = kStep[octant][1];
    // The projection onto the direction, in whole pixels along each axis it moves on.
    const double along = sx && sy ? (sx * dx + sy * dy) / 2 : sx * dx + sy * dy;
    const int64_t n = std::llround(along);
    return {static_cast<int32_t>(a.x + sx * n), static_cast<int32_t>(a.y + sy * n)};
}

double ArmsAngle(MeasurePoint vertex, MeasurePoint a, MeasurePoint b)
{
    const double ux = double(a.x) - vertex.x, uy = double(a.y) - vertex.y;
    const double vx = double(b.x) - vertex.x, vy = double(b.y) - vertex.y;
    if ((ux == 0 && uy == 0) || (vx == 0 && vy == 0)) return 0;
    return std::atan2(std::fabs(ux * vy - uy * vx), ux * vx + uy * vy) * kDegreesPerRadian;
}

int32_t StepTolerance(int32_t tolerance, int direction)
{
    if (tolerance < 0 || tolerance > MaxEdgeTolerance) tolerance = RulerOptions().EdgeTolerance;
    // More steps than the range holds reach its end all the same.
    direction = std::clamp(direction, -(MaxEdgeTolerance + 1), MaxEdgeTolerance + 1);
    for (; direction > 0; --direction)
        tolerance = tolerance < kToleranceFineTop ? tolerance + 1
                                                  : std::min(tolerance + kToleranceCoarseStep, MaxEdgeTolerance);
    for (; direction < 0; ++direction)
        tolerance = tolerance <= kToleranceFineTop ? std::max(tolerance - 1, 0)
                                                   : std::max(tolerance - kToleranceCoarseStep, kToleranceFineTop);
    return tolerance;
}
