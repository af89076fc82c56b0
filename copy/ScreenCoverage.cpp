#include "copy/ScreenCoverage.h"

#include "ruler/RectMath.h"

#include <algorithm>

namespace {

// `r` less `cut`: up to four pieces, the full-width ones above and below first.
void Subtract(const WindowRect& r, const WindowRect& cut, std::vector<WindowRect>& pieces)
{
    const WindowRect common = Intersection(r, cut);
    if (common.IsEmpty()) {
        pieces.push_back(r);
        return;
    }
    const WindowRect candidates[] = {
        {r.left, r.top, r.right, common.top},
        {r.left, common.bottom, r.right, r.bottom},
        {r.left, common.top, common.left, common.bottom},
        {common.right, common.top, r.right, common.bottom},
    };
    for (const WindowRect& piece : candidates)
        if (!piece.IsEmpty()) pieces.push_back(piece);
}

} // namespace

ScreenCoverage::ScreenCoverage(const WindowRect& area, const std::vector<WindowRect>& monitors) : m_area(area)
{
    if (area.IsEmpty()) return;
    for (const WindowRect& monitor : monitors) {
        // What this monitor adds: its part of the area less every part taken already.
        std::vector<WindowRect> fresh = {Intersection(area, monitor)};
        if (fresh.front().IsEmpty()) continue;
        for (const WindowRect& taken : m_parts) {
            std::vector<WindowRect> rest;
            for (const WindowRect& piece : fresh) Subtract(piece, taken, rest);
            fresh.swap(rest);
        }
        m_parts.insert(m_parts.end(), fresh.begin(), fresh.end());
    }
}

bool ScreenCoverage::IsWhole() const
{
    int64_t covered = 0;
    for (const WindowRect& part : m_parts) covered += int64_t{part.Width()} * part.Height();
    return !m_area.IsEmpty() && covered == int64_t{m_area.Width()} * m_area.Height();
}

bool ScreenCoverage::IsOn(int32_t x, int32_t y) const
{
    const int64_t sx = int64_t{m_area.left} + x, sy = int64_t{m_area.top} + y;
    return std::any_of(m_parts.begin(), m_parts.end(), [&](const WindowRect& p) {
        return sx >= p.left && sx < p.right && sy >= p.top && sy < p.bottom;
    });
}

std::vector<PixelSpan> ScreenCoverage::OffSpansInRow(int32_t y) const
{
    return OffSpans(true, y);
}

std::vector<PixelSpan> ScreenCoverage::OffSpansInColumn(int32_t x) const
{
    return OffSpans(false, x);
}

std::vector<PixelSpan> ScreenCoverage::OffSpans(bool inRow, int32_t index) const
{
    const int32_t length = inRow ? m_area.Width() : m_area.Height();
    if (length <= 0) return {};
    // The parts crossing this row (column), as spans along it.
    const int64_t at = int64_t{inRow ? m_area.top : m_area.left} + index;
    const int32_t start = inRow ? m_area.left : m_area.top;
    std::vector<PixelSpan> on;
    for (const WindowRect& p : m_parts) {
        const int32_t from = inRow ? p.top : p.left, to = inRow ? p.bottom : p.right;
        if (at < from || at >= to) continue;
        on.push_back(inRow ? PixelSpan{p.left - start, p.right - start} : PixelSpan{p.top - start, p.bottom - start});
    }
    std::sort(on.begin(), on.end(), [](const PixelSpan& a, const PixelSpan& b) { return a.from < b.from; });
    std::vector<PixelSpan> off;
    int32_t next = 0;
    for (const PixelSpan& s : on) {
        if (s.from > next) off.push_back({next, s.from});
        next = std::max(next, s.to);
    }
    if (next < length) off.push_back({next, length});
    return off;
}
