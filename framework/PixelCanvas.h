#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A colour as a 24-bit DIB stores it: blue, green, red.
struct Bgr {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
};

// Columns x in [left, right).
struct ColumnSpan {
    int64_t left = 0;
    int64_t right = 0;
};

// The writable pixels of a 24-bit bottom-up DIB (rows padded to 4 bytes), addressed from the
// top row down as GDI addresses them. Painting many small pieces straight into the bytes
// costs a fraction of a GDI call per piece; everything is clipped to the canvas.
class PixelCanvas {
public:
    // `bits` is the first byte of the bottom row, as a DIB section gives it.
    PixelCanvas(uint8_t* bits, int32_t width, int32_t height);

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    uint8_t* Row(int32_t y) const { return m_bits + static_cast<ptrdiff_t>(m_height - 1 - y) * m_stride; }

    // Paints the pixels x in [left, right), y in [top, bottom) one colour.
    void Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, Bgr colour);
    // Paints the columns of every span on the rows y in [top, bottom), a row at a time: many
    // tall narrow bands then cost about one pass down the rows instead of one pass per band.
    void FillColumns(const std::vector<ColumnSpan>& spans, int64_t top, int64_t bottom, Bgr colour);
    // Copies a block of width x height pixels (3 bytes each, rows packed, top row first) with
    // its top-left pixel at (x, y).
    void Stamp(const uint8_t* block, int32_t width, int32_t height, int64_t x, int64_t y);

private:
    uint8_t* m_bits;
    int32_t m_width;
    int32_t m_height;
    ptrdiff_t m_stride;
};
