#include "framework/DibLayout.h"

int64_t DibRowStride(int64_t width, int32_t bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

bool ComputeDibLayout(int32_t width, int32_t height, int32_t bitCount, DibLayout& layout)
{
    if (bitCount != 16 && bitCount != 24 && bitCount != 32) return false;
    if (width < 1 || width > kMaxDibSide || height < 1 || height > kMaxDibSide) return false;
    // Both factors are below 2^32 here, so the product cannot overflow 64 bits.
    const int64_t stride = DibRowStride(width, bitCount);
    const int64_t imageSize = stride * height;
    if (imageSize > int64_t{kMaxDibImageSize}) return false;
    layout.width = width;
    layout.height = height;
    layout.bitCount = bitCount;
    layout.stride = static_cast<uint32_t>(stride);
    layout.imageSize = static_cast<uint32_t>(imageSize);
    return true;
}
