#pragma once

// Window-free: the measurements the user keeps on screen, and what each one's drawing covers.

#include "measure/PointerMeasure.h"
#include "ruler/WindowRect.h"

#include <cstdint>
#include <vector>

// One measurement, live or pinned. Spans and boxes: the rect in screen px, inclusive
// (left, top, right, bottom) and, for spans, `from` the point it was read from.
// Line: from -> to. Angle: from = vertex, to = end of the first arm, third = end of the second.
struct Measurement {
    MeasureKind kind = MeasureKind::Spacing;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    MeasurePoint from, to, third;
    int32_t monitor = -1; // where it starts: its scale and unit axes come from there
};

// Pins in the order pinned; at least 200 without a slower pointer (no per-move work over all pins).
class CMeasurePins {
public:
    void Add(const Measurement& m);
    bool RemoveLast(); // Backspace; false when empty
    // Delete: the pin drawn under the screen point (within `reach` px of its lines or box edge,
    // or inside a span's/box's rect); the latest pinned on a tie; false when none.
    bool RemoveAt(MeasurePoint p, int32_t reach);
    const std::vector<Measurement>& Items() const { return m_items; }
    bool Empty() const { return m_items.empty(); }
    void Clear() { m_items.clear(); }

private:
    std::vector<Measurement> m_items;
};

// Whether the measurement's drawing lies within `reach` px of the screen point (its lines,
// or anywhere inside a span's or box's rect).
bool MeasurementHit(const Measurement& m, MeasurePoint p, int32_t reach);

// The screen rectangle (right/bottom exclusive) a measurement's drawing covers, grown by
// `margin` (room for its labels); what an overlay repaints when it changes.
WindowRect MeasurementBounds(const Measurement& m, int32_t margin);
