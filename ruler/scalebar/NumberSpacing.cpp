#include "ruler/scalebar/NumberSpacing.h"

#include <algorithm>

namespace {

bool Touch(const BarSpan& a, const BarSpan& b, int32_t gap)
{
    return a.begin < b.end + gap && b.begin < a.end + gap;
}

} // namespace

BarSpan CentredSpan(int64_t centre, int32_t extent)
{
    const int64_t begin = centre - extent / 2;
    return {begin, begin + extent};
}

std::vector<BarNumber> SpacedNumbers(const std::vector<BarNumber>& numbers, const std::vector<BarSpan>& taken,
                                     const TextExtent& extent, int32_t gap)
{
    std::vector<BarNumber> sorted = numbers;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const BarNumber& a, const BarNumber& b) { return a.offset < b.offset; });
    std::vector<BarNumber> kept;
    BarSpan last;
    for (BarNumber& number : sorted) {
        const BarSpan span = CentredSpan(number.offset, extent(number.text));
        if (!kept.empty() && Touch(span, last, gap)) continue;
        if (std::any_of(taken.begin(), taken.end(), [&](const BarSpan& t) { return Touch(span, t, gap); })) continue;
        kept.push_back(std::move(number));
        last = span;
    }
    return kept;
}
