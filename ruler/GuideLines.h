#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The guide lines: X (vertical) and Y (horizontal) coordinates in device pixels,
// measured from the inner area's left and top edge, each list in the order its lines
// came. A line added where one already is adds nothing; a dragged line may meet
// another. Only these calls change the lists.
class GuideLines {
public:
    GuideLines() = default;
    GuideLines(std::vector<int32_t> x, std::vector<int32_t> y) : m_x(std::move(x)), m_y(std::move(y)) {}

    const std::vector<int32_t>& X() const { return m_x; }
    const std::vector<int32_t>& Y() const { return m_y; }
    const std::vector<int32_t>& Of(bool vertical) const { return vertical ? m_x : m_y; }
    bool Empty() const { return m_x.empty() && m_y.empty(); }

    // Appends a line unless its list holds the value; false when it did.
    bool Add(bool vertical, int32_t value);
    // Adds each value its list does not hold yet, in order; returns how many were added.
    size_t AddSeveral(const std::vector<int32_t>& x, const std::vector<int32_t>& y);
    // False when there is no line at `index`.
    bool Remove(bool vertical, size_t index);
    bool Move(bool vertical, size_t index, int32_t value);
    void ReplaceAll(std::vector<int32_t> x, std::vector<int32_t> y);
    void Clear();

    bool operator==(const GuideLines& other) const { return m_x == other.m_x && m_y == other.m_y; }

private:
    std::vector<int32_t>& Mutable(bool vertical) { return vertical ? m_x : m_y; }

    std::vector<int32_t> m_x;
    std::vector<int32_t> m_y;
};
