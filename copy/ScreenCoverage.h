#pragma once

// Window-free: which pixels of a screen rectangle lie on a monitor. Every grab of the
// screen (the copy, the loupe, the edge tools) reads only the parts on a monitor and
// shows the rest as one fixed fill; scans learn here which pixels are that fill.

#include "ruler/WindowRect.h"

#include <cstdint>
#include <vector>

// Pixels from..to - 1 along a row or a column.
struct PixelSpan {
    int32_t from = 0;
    int32_t to = 0;
    bool operator==(const PixelSpan& o) const { return from == o.from && to == o.to; }
};

class ScreenCoverage {
public:
    ScreenCoverage() = default;
    // `monitors` in screen coordinates, in any order; mirrored monitors may overlap.
    ScreenCoverage(const WindowRect& area, const std::vector<WindowRect>& monitors);

    const WindowRect& Area() const { return m_area; }
    // The parts of the area on a monitor, in screen coordinates; no two overlap.
    const std::vector<WindowRect>& Parts() const { return m_parts; }
    // Every pixel of the area lies on a monitor.
    bool IsWhole() const;

    // The rest take coordinates within the area: (0, 0) is its top-left pixel.
    bool IsOn(int32_t x, int32_t y) const;
    // Columns of row y (rows of column x) off every monitor, ascending; a row outside
    // the area is off all along.
    std::vector<PixelSpan> OffSpansInRow(int32_t y) const;
    std::vector<PixelSpan> OffSpansInColumn(int32_t x) const;

private:
    std::vector<PixelSpan> OffSpans(bool inRow, int32_t index) const;

    WindowRect m_area;
    std::vector<WindowRect> m_parts;
};
