#pragma once

#include <cstdint>

// Sizes of an uncompressed DIB's pixel block: rows padded to whole 32-bit words.
struct DibLayout {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitCount = 0;
    uint32_t stride = 0;    // bytes per row, alignment bytes included
    uint32_t imageSize = 0; // stride * height
};

// Largest side GDI addresses reliably (its coordinate space is 2^27 wide).
constexpr int32_t kMaxDibSide = (1 << 27) - 1;
// Largest pixel block: the image size and the packed form (40-byte header in
// front) both stay within a signed 32-bit size, also on 32-bit Windows.
constexpr uint32_t kMaxDibImageSize = 0x7FFFFFFFu - 40u;

// Bytes per row of `width` pixels at `bitCount` bits, rounded up to 4; exact for
// any width up to kMaxDibSide.
int64_t DibRowStride(int64_t width, int32_t bitCount);

// Fills `layout` and returns true for a size a surface can be made of: both
// sides between 1 and kMaxDibSide, 16, 24 or 32 bits per pixel (depths that
// need no colour table), and an image size of at most kMaxDibImageSize.
// Anything else is refused before any memory is asked for.
bool ComputeDibLayout(int32_t width, int32_t height, int32_t bitCount, DibLayout& layout);
