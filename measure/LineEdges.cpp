#include "measure/LineEdges.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

CLineEdges::CLineEdges(const std::vector<uint8_t>& sides, int32_t tolerance)
    : m_sides(sides), m_tolerance(std::max(tolerance, 0)),
      m_quiet(std::min(m_tolerance, kRampSlope))
{
}

void CLineEdges::Begin(const PixelBlock& line, int32_t start, int dir, int32_t stop)
{
    m_origin = line.origin;
    m_step = line.step;
    m_dir = dir > 0 ? 1 : -1;
    m_next = start;
    m_stop = stop;
    m_startRead = INT32_MAX;
    m_pos.clear();
    m_rgb.clear();
}

bool CLineEdges::Has(int32_t change)
{
    while (m_pos.size() < static_cast<size_t>(change) + 2) {
        while (m_next != m_stop && !m_sides.empty() && m_sides[static_cast<size_t>(m_next)] != MaskClear)
            m_next += m_dir;
        if (m_next == m_stop) return false;
        const uint8_t* p = m_origin + m_next * m_step;
        if (m_next == m_start) m_startRead = static_cast<int32_t>(m_pos.size());
        m_pos.push_back(m_next);
        m_rgb.insert(m_rgb.end(), {int16_t(p[0]), int16_t(p[1]), int16_t(p[2])});
        m_next += m_dir;
    }
    return true;
}

int32_t CLineEdges::Size(int32_t j, int& channel) const
{
    const int16_t* a = &m_rgb[static_cast<size_t>(j) * 3];
    int32_t size = -1;
    for (int c = 0; c < 3; ++c) {
        const int32_t d = std::abs(int32_t(a[c + 3]) - int32_t(a[c]));
        if (d > size) size = d, channel = c;
    }
    return size;
}

bool CLineEdges::Quiet(int32_t j)
{
    int channel = 0;
    return Size(j, channel) <= m_quiet;
}

bool CLineEdges::Along(int32_t j) const
{
    const int16_t* a = &m_rgb[static_cast<size_t>(j) * 3];
    int32_t dot = 0;
    for (int c = 0; c < 3; ++c) dot += (int32_t(a[c + 3]) - a[c]) * (int32_t(a[c + 6]) - a[c + 3]);
    return dot > 0;
}

CLineEdges::Transition CLineEdges::Next(int32_t j)
{
    Transition t;
    while (Has(j) && Quiet(j)) ++j;
    t.first = t.end = j;
    if (!Has(j)) return t;
    while (Has(t.end + 1) && !Quiet(t.end + 1) && Along(t.end)) ++t.end;
    ++t.end;
    for (int32_t i = t.first; i < t.end; ++i) {
        int channel = 0;
        const int32_t size = Size(i, channel);
        if (size > t.peak) t.peak = size, t.channel = channel;
    }
    const int c = t.channel;
    // Its width: the changes of at least a quarter of its peak, also the quiet ones going
    // the same way on either side, which a soft flank has and a sharp edge has not.
    const int32_t sign = m_rgb[size_t(t.end) * 3 + c] > m_rgb[size_t(t.first) * 3 + c] ? 1 : -1;
    auto wide = [&](int32_t i) {
        return 4 * sign * (m_rgb[size_t(i + 1) * 3 + c] - m_rgb[size_t(i) * 3 + c]) >= t.peak;
    };
    int32_t width = 0;
    for (int32_t i = t.first; i < t.end; ++i) width += wide(i);
    for (int32_t i = t.first - 1; i >= 0 && width < kSoftWidth && wide(i); --i) ++width;
    for (int32_t i = t.end; width < kSoftWidth && Has(i) && wide(i); ++i) ++width;
    const int32_t total = std::abs(m_rgb[size_t(t.end) * 3 + c] - m_rgb[size_t(t.first) * 3 + c]);
    t.loud = t.peak > m_tolerance || total > m_tolerance + kRampSlope * (t.end - t.first);
    t.sharp = width < kSoftWidth;
    return t;
}

bool CLineEdges::IsEdge(const Transition& t, const Transition* before, const Transition* after) const
{
    if (!t.loud || !t.sharp) return false;
    // A lead-in: a shadow's flank that runs straight into the card's own, larger step.
    const bool leadIn = (before && before->peak >= 2 * t.peak) || (after && after->peak >= 2 * t.peak);
    return t.end - t.first < 3 || !leadIn;
}

int32_t CLineEdges::EdgeChange(const Transition& t) const
{
    if (t.end - t.first <= 2) return t.first;
    // Half way across the transition's core, the changes of at least a quarter of its peak.
    int32_t first = t.end, last = t.first;
    for (int32_t i = t.first; i < t.end; ++i) {
        int channel = 0;
        if (4 * Size(i, channel) >= t.peak) first = std::min(first, i), last = i;
    }
    const int c = t.channel;
    const int32_t from = m_rgb[size_t(first) * 3 + c];
    const int32_t total = std::abs(m_rgb[size_t(last + 1) * 3 + c] - from);
    for (int32_t k = first; k < last; ++k)
        if (2 * std::abs(m_rgb[size_t(k + 1) * 3 + c] - from) >= total) return k;
    return last;
}

int32_t CLineEdges::Boundary(int32_t j) const
{
    const int32_t lo = std::min(m_pos[size_t(j)], m_pos[size_t(j) + 1]);
    const int32_t hi = std::max(m_pos[size_t(j)], m_pos[size_t(j) + 1]);
    return m_sides.empty() ? hi : BoundaryBetween(m_sides, lo, hi);
}

template <class OnEdge>
void CLineEdges::Walk(OnEdge onEdge)
{
    Transition t = Next(0), before;
    bool touching = false; // whether `before` ends where t begins
    while (t.first < t.end) {
        const bool next = Has(t.end) && !Quiet(t.end);
        const Transition after = next ? Next(t.end) : Transition();
        if (IsEdge(t, touching ? &before : nullptr, next ? &after : nullptr) && onEdge(t)) return;
        before = t;
        touching = next;
        t = next ? after : Next(t.end);
    }
}

int32_t CLineEdges::FirstEdge(const PixelBlock& line, int32_t start, int dir)
{
    // The transition the start lies in is read whole, from a little behind the start.
    const int32_t behind = dir > 0 ? std::max(0, start - kContext) : std::min(line.width - 1, start + kContext);
    Begin(line, behind, dir, dir > 0 ? line.width : -1);
    m_start = start;
    int32_t found = -1;
    Walk([&](const Transition& t) {
        if (t.end <= m_startRead) return false; // behind the start, or reaching it
        // Of a transition the start lies in, only an edge ahead of the start counts.
        int32_t j = t.end - t.first <= 2 ? std::max(t.first, m_startRead) : EdgeChange(t);
        if (j < m_startRead || j >= t.end) return false;
        found = Boundary(j);
        return true;
    });
    return found;
}

void CLineEdges::CountEdges(const PixelBlock& line, int32_t from, int32_t to, std::vector<int32_t>& counts)
{
    const int32_t lo = std::max(0, from - kContext), hi = std::min(line.width, to + kContext);
    if (lo >= hi) return;
    Begin(line, lo, 1, hi);
    m_start = -1;
    auto count = [&](int32_t j) {
        const int32_t k = Boundary(j);
        if (k >= from && k <= to && static_cast<size_t>(k) < counts.size()) ++counts[size_t(k)];
    };
    Walk([&](const Transition& t) {
        // Read from either side, a pixel between two steps ends the area on its own side.
        if (t.end - t.first == 2) count(t.first), count(t.first + 1);
        else count(EdgeChange(t));
        return false;
    });
}
