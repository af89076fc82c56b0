#include "measure/LineEdges.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

CLineEdges::CLineEdges(const std::vector<uint8_t>& sides, int32_t tolerance)
    : m_sides(sides), m_tolerance(std::max(tolerance, 0)),
      m_quiet(std::min(m_tolerance, kRampSlope))
{
}

void CLineEdges::Begin(const PixelBlock& line, int32_t from, int dir, int32_t to)
{
    // Without a mask every pixel is read; with one, its clear pixels' indices are kept
    // from line to line of the same width.
    if (m_width != line.width) {
        m_width = line.width;
        m_clear.clear();
        for (int32_t i = 0; i < line.width && !m_sides.empty(); ++i)
            if (m_sides[size_t(i)] == MaskClear) m_clear.push_back(i);
        m_allClear = m_sides.empty() || m_clear.size() == size_t(line.width);
    }
    m_origin = line.origin;
    m_step = line.step;
    m_dir = dir > 0 ? 1 : -1;
    m_startRead = INT32_MAX;
    // Read pixel j is clear pixel m_base + dir * j; from..to are line indices, inclusive.
    const int32_t lo = ClearAt(std::min(from, to)), hi = ClearAt(std::max(from, to) + 1) - 1;
    m_base = m_dir > 0 ? lo : hi;
    m_count = std::max(hi - lo + 1, 0);
}

int32_t CLineEdges::ClearAt(int32_t i) const
{
    if (m_allClear) return i;
    return int32_t(std::lower_bound(m_clear.begin(), m_clear.end(), i) - m_clear.begin());
}

int32_t CLineEdges::Ch(int32_t j, int c) const
{
    return Pixel(j)[c];
}

int32_t CLineEdges::Size(int32_t j, int& channel) const
{
    const uint8_t *a = Pixel(j), *b = Pixel(j + 1);
    const int32_t d0 = std::abs(int32_t(b[0]) - a[0]), d1 = std::abs(int32_t(b[1]) - a[1]), d2 = std::abs(int32_t(b[2]) - a[2]);
    channel = d0 >= d1 && d0 >= d2 ? 0 : (d1 >= d2 ? 1 : 2);
    return std::max({d0, d1, d2});
}

int32_t CLineEdges::SkipQuiet(int32_t j) const
{
    if (j + 1 >= m_count) return j;
    const int32_t quietLevel = m_quiet;
    auto quiet = [quietLevel](const uint8_t* a, const uint8_t* b) {
        return std::abs(int32_t(b[0]) - a[0]) <= quietLevel && std::abs(int32_t(b[1]) - a[1]) <= quietLevel &&
               std::abs(int32_t(b[2]) - a[2]) <= quietLevel;
    };
    // Along a column of a large grab every pixel is a new cache line: ask for them early.
    const ptrdiff_t ahead = kPrefetch * m_dir * m_step;
    if (m_allClear) {
        const ptrdiff_t step = m_dir * m_step;
        for (const uint8_t* a = Pixel(j); j + 1 < m_count && quiet(a, a + step); ++j, a += step)
            __builtin_prefetch(a + ahead);
        return j;
    }
    for (const int32_t* i = &m_clear[size_t(m_base + m_dir * j)];
         j + 1 < m_count && quiet(m_origin + i[0] * m_step, m_origin + i[m_dir] * m_step); ++j, i += m_dir)
        __builtin_prefetch(m_origin + i[0] * m_step + ahead);
    return j;
}

bool CLineEdges::Quiet(int32_t j) const
{
    int channel = 0;
    return Size(j, channel) <= m_quiet;
}

bool CLineEdges::Along(int32_t j) const
{
    int32_t dot = 0;
    for (int c = 0; c < 3; ++c) dot += (Ch(j + 1, c) - Ch(j, c)) * (Ch(j + 2, c) - Ch(j + 1, c));
    return dot > 0;
}

CLineEdges::Transition CLineEdges::Next(int32_t j)
{
    Transition t;
    j = SkipQuiet(j);
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
    const int32_t sign = Ch(t.end, c) > Ch(t.first, c) ? 1 : -1;
    auto wide = [&](int32_t i) {
        return kCoreShare * sign * (Ch(i + 1, c) - Ch(i, c)) >= t.peak;
    };
    int32_t& width = t.width;
    for (int32_t i = t.first; i < t.end; ++i) width += wide(i);
    for (int32_t i = t.first - 1; i >= 0 && width < kSoftWidth && wide(i); --i) ++width;
    for (int32_t i = t.end; width < kSoftWidth && Has(i) && wide(i); ++i) ++width;
    int channel = 0;
    t.between = t.end - t.first == 2 && Size(t.first, channel) > m_tolerance && Size(t.first + 1, channel) > m_tolerance;
    const int32_t total = std::abs(Ch(t.end, c) - Ch(t.first, c));
    t.loud = t.peak > m_tolerance || total > m_tolerance + kRampSlope * (t.end - t.first);
    t.sharp = width < kSoftWidth;
    return t;
}

bool CLineEdges::IsEdge(const Transition& t, const Transition* before, const Transition* after) const
{
    if (!t.loud || !t.sharp) return false;
    // A lead-in: a shadow's flank that runs straight into the card's own, larger step.
    const auto larger = [&](const Transition* other) { return other && 100 * other->peak >= kLeadInPercent * t.peak; };
    const bool leadIn = larger(before) || larger(after);
    return t.width < kLeadInWidth || !leadIn;
}

int32_t CLineEdges::EdgeChange(const Transition& t) const
{
    if (t.end - t.first == 1 || t.between) return t.first;
    // Half way across the transition's core, the changes of at least a quarter of its peak.
    int32_t first = t.end, last = t.first;
    for (int32_t i = t.first; i < t.end; ++i) {
        int channel = 0;
        if (kCoreShare * Size(i, channel) >= t.peak) first = std::min(first, i), last = i;
    }
    const int c = t.channel;
    const int32_t from = Ch(first, c);
    const int32_t total = std::abs(Ch(last + 1, c) - from);
    for (int32_t k = first; k < last; ++k)
        if (2 * std::abs(Ch(k + 1, c) - from) >= total) return k;
    return last;
}

int32_t CLineEdges::Boundary(int32_t j) const
{
    const int32_t u = Index(j), w = Index(j + 1);
    const int32_t lo = std::min(u, w), hi = std::max(u, w);
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
    Begin(line, behind, dir, dir > 0 ? line.width - 1 : 0);
    m_startRead = std::abs(ClearAt(start) - m_base);
    int32_t found = -1;
    Walk([&](const Transition& t) {
        // An edge behind the start, also of a transition the start lies in, is not the ray's;
        // a pixel of its own has an edge on either side.
        const int32_t j = t.between ? std::max(t.first, m_startRead) : EdgeChange(t);
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
    Begin(line, lo, 1, hi - 1);
    auto count = [&](int32_t j) {
        const int32_t k = Boundary(j);
        if (k >= from && k <= to && static_cast<size_t>(k) < counts.size()) ++counts[size_t(k)];
    };
    Walk([&](const Transition& t) {
        // Read from either side, a pixel between two steps ends the area on its own side.
        if (t.between) count(t.first), count(t.first + 1);
        else count(EdgeChange(t));
        return false;
    });
}
