#include "measure/EdgeFinder.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Masked(const std::vector<uint8_t>& sides, int32_t i)
{
    return !sides.empty() && sides[static_cast<size_t>(i)] != MaskClear;
}

// The boundary seen between the clear columns u < w with only masked ones between
// them: before the first column that belongs to the right, or before w.
int32_t BoundaryBetween(const std::vector<uint8_t>& sides, int32_t u, int32_t w)
{
    for (int32_t k = u + 1; k < w; ++k)
        if (sides[static_cast<size_t>(k)] == MaskRight) return k;
    return w;
}

struct Ray {
    int32_t before = -1; // first boundary left of the point, -1 when the scan reached the edge
    int32_t after = -1;  // first boundary right of it
};

// Along row y from the clear column x: the nearest boundaries to a pixel unlike (x, y).
Ray ScanRow(const PixelBlock& block, const std::vector<uint8_t>& columns, int32_t x, int32_t y, int32_t tolerance)
{
    const uint8_t* colour = block.At(x, y);
    Ray ray;
    for (int32_t u = x - 1, inside = x; u >= 0; --u) {
        if (Masked(columns, u)) continue;
        if (ColoursDiffer(block.At(u, y), colour, tolerance)) {
            ray.before = columns.empty() ? inside : BoundaryBetween(columns, u, inside);
            break;
        }
        inside = u;
    }
    for (int32_t w = x + 1, inside = x; w < block.width; ++w) {
        if (Masked(columns, w)) continue;
        if (ColoursDiffer(block.At(w, y), colour, tolerance)) {
            ray.after = columns.empty() ? w : BoundaryBetween(columns, inside, w);
            break;
        }
        inside = w;
    }
    return ray;
}

struct ColumnPair {
    int32_t left, right, boundary;
};

} // namespace

PixelBlock BottomUpBlock(const uint8_t* bits, int32_t width, int32_t height)
{
    const ptrdiff_t rowBytes = (ptrdiff_t(width) * 3 + 3) & ~ptrdiff_t(3);
    PixelBlock block;
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
    const Ray across = ScanRow(row, mask.columns, x, 0, tolerance);
    const Ray down = ScanRow(column.Transposed(), mask.rows, y, 0, tolerance);
    EdgeArea area;
    area.valid = true;
    area.leftFound = across.before >= 0;
    area.rightFound = across.after >= 0;
    area.topFound = down.before >= 0;
    area.bottomFound = down.after >= 0;
    area.left = area.leftFound ? across.before : 0;
    area.right = area.rightFound ? across.after - 1 : row.width - 1;
    area.top = area.topFound ? down.before : 0;
    area.bottom = area.bottomFound ? down.after - 1 : column.height - 1;
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
    // Neighbouring clear columns, each pair with the boundary seen between them.
    std::vector<ColumnPair> pairs;
    for (int32_t u = -1, w = 0; w < block.width; ++w) {
        if (Masked(mask.columns, w)) continue;
        if (u >= 0) {
            const int32_t k = mask.columns.empty() ? w : BoundaryBetween(mask.columns, u, w);
            if (k >= from && k <= to) pairs.push_back({u, w, k});
        }
        u = w;
    }
    std::vector<int32_t> rows;
    for (int32_t y = 0; y < block.height; ++y)
        if (!Masked(mask.rows, y)) rows.push_back(y);

    // Memory order: along rows of the bitmap in the inner loop, for either direction.
    if (std::abs(block.step) <= std::abs(block.stride)) {
        for (int32_t y : rows) {
            const uint8_t* row = block.At(0, y);
            for (const ColumnPair& p : pairs)
                if (ColoursDiffer(row + p.left * block.step, row + p.right * block.step, tolerance))
                    ++strengths[static_cast<size_t>(p.boundary)];
        }
    } else {
        for (const ColumnPair& p : pairs) {
            int32_t count = 0;
            for (int32_t y : rows) count += ColoursDiffer(block.At(p.left, y), block.At(p.right, y), tolerance);
            strengths[static_cast<size_t>(p.boundary)] += count;
        }
    }
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
