#include "framework/PixelCanvas.h"

#include "framework/DibLayout.h"

#include <algorithm>
#include <cstring>

namespace {

// From this many pixels a row is painted by copies rather than pixel by pixel.
constexpr size_t kLongRun = 16;

// `count` pixels from `at` in one colour, pixel by pixel.
inline void PaintRun(uint8_t* at, size_t count, Bgr colour)
{
    for (size_t i = 0; i < count; ++i, at += 3) {
        at[0] = colour.blue;
        at[1] = colour.green;
        at[2] = colour.red;
    }
}

} // namespace

PixelCanvas::PixelCanvas(uint8_t* bits, int32_t width, int32_t height)
    : m_bits(bits), m_width(bits ? std::max(width, 0) : 0), m_height(bits ? std::max(height, 0) : 0),
      m_stride(static_cast<ptrdiff_t>(DibRowStride(m_width, 24)))
{
}

void PixelCanvas::Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, Bgr colour)
{
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, m_width);
    bottom = std::min<int64_t>(bottom, m_height);
    if (left >= right || top >= bottom) return;
    const size_t count = static_cast<size_t>(right - left);
    uint8_t* row = Row(static_cast<int32_t>(top)) + left * 3;
    // A guide line is either a few pixels across and a thousand rows down, each row best
    // written in place, or one to a few rows of a thousand pixels, best copied in long runs.
    if (count < kLongRun) {
        for (int64_t y = top; y < bottom; ++y, row -= m_stride) PaintRun(row, count, colour);
        return;
    }
    const size_t bytes = count * 3;
    PaintRun(row, 1, colour);
    // The row doubles what it holds until it is full.
    for (size_t done = 3; done < bytes; done *= 2) std::memcpy(row + done, row, std::min(done, bytes - done));
    for (int64_t y = top + 1; y < bottom; ++y) std::memcpy(row - (y - top) * m_stride, row, bytes);
}

void PixelCanvas::FillColumns(const std::vector<ColumnSpan>& spans, int64_t top, int64_t bottom, Bgr colour)
{
    top = std::max<int64_t>(top, 0);
    bottom = std::min<int64_t>(bottom, m_height);
    std::vector<ColumnSpan> shown;
    for (const ColumnSpan& span : spans) {
        const ColumnSpan clipped{std::max<int64_t>(span.left, 0), std::min<int64_t>(span.right, m_width)};
        if (clipped.left < clipped.right) shown.push_back(clipped);
    }
    if (shown.empty() || top >= bottom) return;
    uint8_t* row = Row(static_cast<int32_t>(top));
    for (int64_t y = top; y < bottom; ++y, row -= m_stride) {
        for (const ColumnSpan& span : shown)
            PaintRun(row + span.left * 3, static_cast<size_t>(span.right - span.left), colour);
    }
}

void PixelCanvas::Stamp(const uint8_t* block, int32_t width, int32_t height, int64_t x, int64_t y)
{
    if (!block || width <= 0 || height <= 0) return;
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + width, m_width), bottom = std::min<int64_t>(y + height, m_height);
    if (left >= right || top >= bottom) return;
    const size_t bytes = static_cast<size_t>(right - left) * 3;
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* from = block + (static_cast<size_t>(row - y) * width + static_cast<size_t>(left - x)) * 3;
        std::memcpy(Row(static_cast<int32_t>(row)) + left * 3, from, bytes);
    }
}
