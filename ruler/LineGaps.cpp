#include "ruler/LineGaps.h"

#include <algorithm>
#include <cwchar>

namespace {

// The gaps in device pixels from a line to its neighbours or the edges.
struct Gaps {
    int64_t before = 0;
    int64_t after = 0;
};

Gaps GapsOf(const std::vector<int32_t>& lines, int32_t value, int32_t extent)
{
    int64_t below = std::min<int64_t>(0, value), above = std::max<int64_t>(extent, value);
    for (int32_t other : lines) {
        if (other >= extent) continue;
        if (other < value) below = std::max<int64_t>(below, other);
        if (other > value) above = std::min<int64_t>(above, other);
    }
    return {value - below, above - value};
}

} // namespace

std::wstring LineGapText(const std::vector<int32_t>& lines, size_t index, int32_t extent)
{
    if (index >= lines.size()) return std::wstring();
    const int32_t value = lines[index];
    const Gaps gaps = GapsOf(lines, value, extent);
    wchar_t text[64];
    std::swprintf(text, 64, L"%d  (%lld | %lld)", value, static_cast<long long>(gaps.before),
                  static_cast<long long>(gaps.after));
    return text;
}

std::wstring LineGapText(const std::vector<int32_t>& lines, size_t index, const UnitAxis& axis)
{
    if (axis.GetUnit() == Unit::Pixels) return LineGapText(lines, index, axis.Extent());
    if (index >= lines.size()) return std::wstring();
    const int32_t value = lines[index];
    const Gaps gaps = GapsOf(lines, value, axis.Extent());
    return axis.NumberWithName(value) + L"  (" + axis.Number(static_cast<double>(gaps.before)) + L" | " +
           axis.Number(static_cast<double>(gaps.after)) + L")";
}
