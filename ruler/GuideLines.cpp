#include "ruler/GuideLines.h"

#include <algorithm>
#include <utility>

bool GuideLines::Add(bool vertical, int32_t value)
{
    std::vector<int32_t>& lines = Mutable(vertical);
    if (std::find(lines.begin(), lines.end(), value) != lines.end()) return false;
    lines.push_back(value);
    return true;
}

size_t GuideLines::AddSeveral(const std::vector<int32_t>& x, const std::vector<int32_t>& y)
{
    size_t added = 0;
    for (int32_t value : x) added += Add(true, value) ? 1 : 0;
    for (int32_t value : y) added += Add(false, value) ? 1 : 0;
    return added;
}

bool GuideLines::Remove(bool vertical, size_t index)
{
    std::vector<int32_t>& lines = Mutable(vertical);
    if (index >= lines.size()) return false;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool GuideLines::Move(bool vertical, size_t index, int32_t value)
{
    std::vector<int32_t>& lines = Mutable(vertical);
    if (index >= lines.size()) return false;
    lines[index] = value;
    return true;
}

void GuideLines::ReplaceAll(std::vector<int32_t> x, std::vector<int32_t> y)
{
    m_x = std::move(x);
    m_y = std::move(y);
}

void GuideLines::Clear()
{
    m_x.clear();
    m_y.clear();
}
