#include "linelist/LineListRules.h"

#include <algorithm>
#include <climits>

int32_t ParseLineValue(std::wstring_view text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == L' ' || (text[at] >= L'\t' && text[at] <= L'\r'))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) negative = text[at++] == L'-';
    int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at)
        magnitude = std::min<int64_t>(magnitude * 10 + (text[at] - L'0'), int64_t{INT32_MAX} + 1);
    const int64_t value = negative ? -magnitude : std::min<int64_t>(magnitude, INT32_MAX);
    return static_cast<int32_t>(value);
}

bool CanAddLine(const std::vector<int32_t>& lines, int32_t value)
{
    return value >= MinLineValue && value <= MaxLineValue &&
           std::find(lines.begin(), lines.end(), value) == lines.end();
}

int32_t SpinLineValue(int32_t value, int delta)
{
    const int64_t moved = int64_t{value} - delta;
    return static_cast<int32_t>(std::clamp<int64_t>(moved, MinLineValue, MaxLineValue));
}

int SelectionAfterDelete(int removed, size_t remaining)
{
    if (remaining == 0) return -1;
    return static_cast<int>(std::min(static_cast<size_t>(std::max(removed, 0)), remaining - 1));
}

std::vector<int32_t> PresetLineValues()
{
    std::vector<int32_t> values;
    // Powers of two and multiples of 160, each followed by three quarters of it.
    for (int32_t a : {32, 64, 128, 256, 512, 1024, 160, 320, 640, 1280}) {
        values.push_back(a);
        values.push_back(a * 3 / 4);
    }
    for (int32_t hundreds = 100; hundreds <= 1500; hundreds += 100) values.push_back(hundreds);
    return values;
}
