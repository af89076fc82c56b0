#include "measure/OffScreenMask.h"

namespace {

void SizeTo(std::vector<uint8_t>& sides, int32_t n)
{
    if (sides.empty()) sides.assign(static_cast<size_t>(n > 0 ? n : 0), MaskClear);
}

} // namespace

void MaskOffScreenCross(EdgeMask& mask, const ScreenCoverage& coverage, int32_t x, int32_t y)
{
    SizeTo(mask.columns, coverage.Area().Width());
    SizeTo(mask.rows, coverage.Area().Height());
    for (const PixelSpan& s : coverage.OffSpansInRow(y)) MaskSpan(mask.columns, s.from, s.to);
    for (const PixelSpan& s : coverage.OffSpansInColumn(x)) MaskSpan(mask.rows, s.from, s.to);
}

void MaskOffScreenBlock(EdgeMask& mask, const ScreenCoverage& coverage, bool vertical)
{
    const int32_t w = coverage.Area().Width(), h = coverage.Area().Height();
    SizeTo(mask.columns, w);
    SizeTo(mask.rows, h);
    if (coverage.IsWhole()) return;
    // `counted`: the lines whose boundaries are counted; `across`: the lines counted in.
    std::vector<uint8_t>& counted = vertical ? mask.columns : mask.rows;
    std::vector<uint8_t>& across = vertical ? mask.rows : mask.columns;
    const int32_t n = vertical ? w : h, m = vertical ? h : w;
    const auto offInCounted = [&](int32_t i) {
        return vertical ? coverage.OffSpansInColumn(i) : coverage.OffSpansInRow(i);
    };
    const auto offInAcross = [&](int32_t j) {
        return vertical ? coverage.OffSpansInRow(j) : coverage.OffSpansInColumn(j);
    };
    for (int32_t i = 0; i < n; ++i) {
        const std::vector<PixelSpan> off = offInCounted(i);
        if (off.size() == 1 && off.front().from == 0 && off.front().to == m) MaskSpan(counted, i, i + 1);
    }
    for (int32_t j = 0; j < m; ++j) {
        bool read = false;
        for (const PixelSpan& s : offInAcross(j))
            for (int32_t k = s.from; k < s.to && !read; ++k) read = counted[static_cast<size_t>(k)] == MaskClear;
        if (read) MaskSpan(across, j, j + 1);
    }
}
