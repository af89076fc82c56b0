#include "copy/MeasureLayout.h"

#include <algorithm>

DimensionBand LayoutDimensionBand(const std::vector<int32_t>& lines, int32_t origin, int32_t innerLength,
                                  int32_t length, const NumberWidth& numberWidth, int32_t margin)
{
    DimensionBand band;
    if (length < 1) return band;

    // Boundaries of the gaps: the picture's two edges and every line strictly between them.
    std::vector<int64_t> edges = {0, length};
    for (int32_t value : lines) {
        if (value >= innerLength) continue;
        // 64 bits: a value from a template file can be anything a 32-bit number holds.
        const int64_t column = int64_t{origin} + value;
        if (column > 0 && column < length) edges.push_back(column);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    const auto place = [&](int64_t from, int64_t to, int32_t row) {
        const int32_t gap = static_cast<int32_t>(to - from);
        if (int64_t{numberWidth(gap)} + 2 * int64_t{margin} > gap) return;
        band.labels.push_back({gap, static_cast<int32_t>((from + to) / 2), row});
    };
    for (size_t i = 0; i < edges.size(); ++i) {
        // The far edge is one past the last pixel; its mark stands on that pixel.
        const int32_t mark = static_cast<int32_t>(std::min<int64_t>(edges[i], length - 1));
        if (band.marks.empty() || band.marks.back() != mark) band.marks.push_back(mark);
        if (i + 1 < edges.size()) place(edges[i], edges[i + 1], 0);
    }
    place(0, length, 1);
    return band;
}
