#include "measure/MeasureStrips.h"

#include <algorithm>

std::vector<WindowRect> MeasurementStrips(const Measurement& m, int32_t margin)
{
    const bool span = m.kind == MeasureKind::Spacing || m.kind == MeasureKind::Horizontal ||
                      m.kind == MeasureKind::Vertical;
    if (!span) {
        const WindowRect bounds = MeasurementBounds(m, margin);
        // A label runs right of its anchor (a box's bottom-left corner, a line's middle,
        // an angle's vertex) further than the margin when the measurement is small.
        MeasurePoint anchor = m.from;
        if (m.kind == MeasureKind::Box) anchor = {m.left, m.bottom};
        if (m.kind == MeasureKind::Line) anchor = {(m.from.x + m.to.x) / 2, (m.from.y + m.to.y) / 2};
        return {bounds, WindowRect(anchor.x, anchor.y, anchor.x + 6 * margin, anchor.y + margin)};
    }
    std::vector<WindowRect> strips;
    if (m.kind != MeasureKind::Vertical)
        strips.emplace_back(m.left - margin, m.from.y - margin, m.right + 1 + margin, m.from.y + margin);
    if (m.kind != MeasureKind::Horizontal)
        strips.emplace_back(m.from.x - margin, m.top - margin, m.from.x + margin, m.bottom + 1 + margin);
    strips.emplace_back(m.from.x, m.from.y, m.from.x + 4 * margin, m.from.y + margin);
    return strips;
}

WindowRect PlaceMeasureHint(const WindowRect& monitor, int32_t width, int32_t height, int32_t margin,
                            MeasurePoint pointer)
{
    width = std::min(width, monitor.Width());
    const int32_t left = monitor.left + (monitor.Width() - width) / 2;
    const WindowRect top(left, monitor.top + margin, left + width, monitor.top + margin + height);
    if (!top.Inflated(margin).Contains(pointer.x, pointer.y)) return top;
    return WindowRect(left, monitor.bottom - margin - height, left + width, monitor.bottom - margin);
}
