#include "measure/EdgeFinder.h"

#include "measure/LineEdges.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Masked(const std::vector<uint8_t>& sides, int32_t i)
{
    return !sides.empty() && sides[static_cast<size_t>(i)] != MaskClear;
}

// The row `y` of a block as a line of its own.
PixelBlock Line(const PixelBlock& block, int32_t y)
{
    return {block.At(0, y), block.width, 1, block.step, block.stride};
}

} // namespace

int32_t BoundaryBetween(const std::vector<uint8_t>& sides, int32_t u, int32_t w)
{
    for (int32_t k = u + 1; k < w; ++k)
        if (sides[static_cast<size_t>(k)] == MaskRight) return k;
    return w;
}

PixelBlock BottomUpBlock(const uint8_t* bits, int32_t width, int32_t height, int32_t bytesPerPixel)
{
    const ptrdiff_t rowBytes = (ptrdiff_t(width) * bytesPerPixel + 3) & ~ptrdiff_t(3);
    PixelBlock block;
    block.step = bytesPerPixel;
    block.width = width;
    block.height = height;
    block.stride = -rowBytes;
    block.origin = bits + (height > 0 ? (height - 1) * rowBytes : 0);
    return block;
}

bool ColoursDiffer(const uint8_t* a, const uint8_t* b, int32_t tolerance)
{
    return std::abs(a[0] - b[0]) > tolerance || std::abs(a[1] - b[1]) > tolerance || std::abs(a[2] - b[2]) > tolerance;
}

void MaskLine(std::vector<uint8_t>& sides, int32_t value, int32_t lineSize)
{
    const int64_t first = int64_t(value) - lineSize / 2;
    const int64_t n = static_cast<int64_t>(sides.size());
    for (int64_t i = std::max<int64_t>(first, 0); i < std::min<int64_t>(first + lineSize, n); ++i) {
        uint8_t& side = sides[static_cast<size_t>(i)];
        // Where lines overlap, a part on the right of one line stays on the right.
        if (side != MaskRight) side = i < value ? MaskLeft : MaskRight;
    }
}

void MaskSpan(std::vector<uint8_t>& sides, int32_t from, int32_t to)
{
    const int32_t n = static_cast<int32_t>(sides.size());
    for (int32_t i = std::max(from, 0); i < std::min(to, n); ++i)
        if (sides[static_cast<size_t>(i)] == MaskClear) sides[static_cast<size_t>(i)] = MaskRight;
}

int32_t SeenIndex(const std::vector<uint8_t>& sides, int32_t i, int32_t n)
{
    if (!Masked(sides, i)) return i;
    const int32_t first = sides[static_cast<size_t>(i)] == MaskLeft ? -1 : 1;
    for (int32_t dir : {first, -first})
        for (int32_t k = i + dir; k >= 0 && k < n; k += dir)
            if (!Masked(sides, k)) return k;
    return -1;
}

RayEdge ScanRay(const PixelBlock& block, const EdgeMask& mask, int32_t x, int32_t y, RayDirection direction,
                int32_t tolerance)
{
    if (x < 0 || y < 0 || x >= block.width || y >= block.height) return RayEdge();
    x = SeenIndex(mask.columns, x, block.width);
    y = SeenIndex(mask.rows, y, block.height);
    if (x < 0 || y < 0) return RayEdge();
    const bool across = direction == RayDirection::Left || direction == RayDirection::Right;
    const bool forward = direction == RayDirection::Right || direction == RayDirection::Down;
    // A column is read as the row of the transposed block.
    const PixelBlock line = across ? Line(block, y) : Line(block.Transposed(), x);
    CLineEdges edges(across ? mask.columns : mask.rows, tolerance);
    RayEdge ray;
    ray.boundary = edges.FirstEdge(line, across ? x : y, forward ? 1 : -1);
    ray.found = ray.boundary >= 0;
    if (!ray.found) ray.boundary = forward ? line.width : 0;
    return ray;
}

EdgeArea ScanArea(const PixelBlock& block, const EdgeMask& mask, int32_t x, int32_t y, int32_t tolerance)
{
    if (x < 0 || y < 0 || x >= block.width || y >= block.height) return EdgeArea();
    x = SeenIndex(mask.columns, x, block.width);
    y = SeenIndex(mask.rows, y, block.height);
    if (x < 0 || y < 0) return EdgeArea();
    const PixelBlock row = {block.At(0, y), block.width, 1, block.step, block.stride};
    const PixelBlock column = {block.At(x, 0), 1, block.height, block.step, block.stride};
    return ScanCross(row, column, mask, x, y, tolerance);
}

EdgeArea ScanCross(const PixelBlock& row, const PixelBlock& column, const EdgeMask& mask, int32_t x, int32_t y,
                   int32_t tolerance)
{
    CLineEdges across(mask.columns, tolerance), down(mask.rows, tolerance);
    const PixelBlock columnLine = column.Transposed();
    const int32_t left = across.FirstEdge(row, x, -1), right = across.FirstEdge(row, x, 1);
    const int32_t top = down.FirstEdge(columnLine, y, -1), bottom = down.FirstEdge(columnLine, y, 1);
    EdgeArea area;
    area.valid = true;
    area.leftFound = left >= 0;
    area.rightFound = right >= 0;
    area.topFound = top >= 0;
    area.bottomFound = bottom >= 0;
    area.left = area.leftFound ? left : 0;
    area.right = area.rightFound ? right - 1 : row.width - 1;
    area.top = area.topFound ? top : 0;
    area.bottom = area.bottomFound ? bottom - 1 : column.height - 1;
    return area;
}

size_t AddEdgeLines(const EdgeArea& area, GuideLines& lines)
{
    if (!area.valid) return 0;
    std::vector<int32_t> x, y;
    if (area.leftFound) x.push_back(area.left);
    if (area.rightFound) x.push_back(area.right + 1);
    if (area.topFound) y.push_back(area.top);
    if (area.bottomFound) y.push_back(area.bottom + 1);
    return lines.AddSeveral(x, y);
}

std::vector<int32_t> ColumnEdgeStrengths(const PixelBlock& block, const EdgeMask& mask, int32_t tolerance, int32_t from,
                                         int32_t to)
{
    std::vector<int32_t> strengths(static_cast<size_t>(std::max(block.width, 0)) + 1, 0);
    CLineEdges edges(mask.columns, tolerance);
    for (int32_t y = 0; y < block.height; ++y)
        if (!Masked(mask.rows, y)) edges.CountEdges(Line(block, y), from, to, strengths);
    return strengths;
}

int32_t ChooseSnap(const std::vector<int32_t>& strengths, int32_t value)
{
    int32_t best = value, bestStrength = kMinEdgeLength - 1;
    const int64_t n = static_cast<int64_t>(strengths.size());
    for (int32_t d = 0; d <= kSnapRadius; ++d) {
        for (int64_t k : {int64_t(value) - d, int64_t(value) + d}) {
            if (k < 0 || k >= n) continue;
            // Only a stronger edge displaces a nearer one.
            if (strengths[static_cast<size_t>(k)] > bestStrength) {
                bestStrength = strengths[static_cast<size_t>(k)];
                best = static_cast<int32_t>(k);
            }
        }
    }
    return best;
}
