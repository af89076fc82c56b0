#include "measure/MeasurePins.h"

#include <algorithm>
#include <cmath>

namespace {

// The distance from p to the segment a..b, in pixels.
double SegmentDistance(MeasurePoint p, MeasurePoint a, MeasurePoint b)
{
    const double vx = double(b.x) - a.x, vy = double(b.y) - a.y;
    const double wx = double(p.x) - a.x, wy = double(p.y) - a.y;
    const double lengthSquared = vx * vx + vy * vy;
    const double t = lengthSquared > 0 ? std::clamp((wx * vx + wy * vy) / lengthSquared, 0.0, 1.0) : 0;
    return std::hypot(wx - t * vx, wy - t * vy);
}

// The distance from p to the inclusive rect, 0 inside.
double RectDistance(MeasurePoint p, const Measurement& m)
{
    const double dx = std::max({double(m.left) - p.x, 0.0, double(p.x) - m.right});
    const double dy = std::max({double(m.top) - p.y, 0.0, double(p.y) - m.bottom});
    return std::hypot(dx, dy);
}

} // namespace

void CMeasurePins::Add(const Measurement& m)
{
    m_items.push_back(m);
}

bool CMeasurePins::RemoveLast()
{
    if (m_items.empty()) return false;
    m_items.pop_back();
    return true;
}

bool CMeasurePins::RemoveAt(MeasurePoint p, int32_t reach)
{
    // Read from the latest, which is drawn on top.
    for (size_t i = m_items.size(); i-- > 0;)
        if (MeasurementHit(m_items[i], p, reach)) {
            m_items.erase(m_items.begin() + static_cast<ptrdiff_t>(i));
            return true;
        }
    return false;
}

bool MeasurementHit(const Measurement& m, MeasurePoint p, int32_t reach)
{
    const double within = std::max(reach, 0);
    switch (m.kind) {
    case MeasureKind::Line:
        return SegmentDistance(p, m.from, m.to) <= within;
    case MeasureKind::Angle:
        return SegmentDistance(p, m.from, m.to) <= within || SegmentDistance(p, m.from, m.third) <= within;
    default:
        return RectDistance(p, m) <= within;
    }
}

WindowRect MeasurementBounds(const Measurement& m, int32_t margin)
{
    WindowRect r(m.left, m.top, m.right + 1, m.bottom + 1);
    if (m.kind == MeasureKind::Line || m.kind == MeasureKind::Angle) {
        const bool third = m.kind == MeasureKind::Angle;
        r.left = std::min({m.from.x, m.to.x, third ? m.third.x : m.from.x});
        r.top = std::min({m.from.y, m.to.y, third ? m.third.y : m.from.y});
        r.right = std::max({m.from.x, m.to.x, third ? m.third.x : m.from.x}) + 1;
        r.bottom = std::max({m.from.y, m.to.y, third ? m.third.y : m.from.y}) + 1;
    }
    return r.Inflated(margin);
}
