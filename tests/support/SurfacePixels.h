#pragma once

#include "framework/DibLayout.h"
#include "framework/DibSurface.h"

// Reads a 24-bit surface's pixels straight from its bytes, top row first.
inline COLORREF SurfacePixel(const DibSurface& surface, int x, int y)
{
    const int64_t stride = DibRowStride(surface.Width(), 24);
    const unsigned char* p = surface.Pixels() + (surface.Height() - 1 - y) * stride + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

// Pixels of `colour` in [left, right) x [top, bottom).
inline int CountColour(const DibSurface& surface, COLORREF colour, int left, int top, int right, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += SurfacePixel(surface, x, y) == colour;
    return n;
}
