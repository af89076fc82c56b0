#include "ruler/LineGaps.h"

#include <algorithm>
#include <cwchar>

std::wstring LineGapText(const std::vector<int32_t>& lines, size_t index, int32_t extent)
{
    if (index >= lines.size()) return std::wstring();
    const int32_t value = lines[index];
    int64_t below = std::min<int64_t>(0, value), above = std::max<int64_t>(extent, value);
    for (int32_t other : lines) {
        if (other >= extent) continue;
        if (other < value) below = std::max<int64_t>(below, other);
        if (other > value) above = std::min<int64_t>(above, other);
    }
    wchar_t text[64];
    std::swprintf(text, 64, L"%d  (%lld | %lld)", value, static_cast<long long>(value - below),
                  static_cast<long long>(above - value));
    return text;
}
