#pragma once

// Window-free edge search over a grab of the screen: the edge met by a ray from a point,
// the area that four such rays span, and the strongest edge near a guide line. Every
// search reads the lines of pixels alike (measure/LineEdges.h): an edge is a sharp change
// between neighbouring pixels, larger than the tolerance in one channel (levels 0..255),
// or a change of a few pixels that goes further than a gradient does; gradients of up to
// 3 levels a pixel, soft shadows and noise within the tolerance are seen through.

#include "ruler/GuideLines.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Guide lines near which a placed line looks for an edge, and the shortest edge that counts.
constexpr int32_t kSnapRadius = 4;
constexpr int32_t kMinEdgeLength = 8;

// A read-only block of 24-bit pixels (blue, green, red). Pixel (x, y) is at
// origin + x * step + y * stride; a bottom-up bitmap has a negative stride, and
// swapping the two steps (Transposed) turns rows into columns.
struct PixelBlock {
    const uint8_t* origin = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    ptrdiff_t step = 3;
    ptrdiff_t stride = 0;

    const uint8_t* At(int32_t x, int32_t y) const { return origin + x * step + y * stride; }
    PixelBlock Transposed() const { return {origin, height, width, stride, step}; }
};

// The block of a bottom-up DIB (rows padded to 4 bytes), top row first; 3 or 4 bytes a pixel.
PixelBlock BottomUpBlock(const uint8_t* bits, int32_t width, int32_t height, int32_t bytesPerPixel = 3);

// Whether two pixels differ by more than the tolerance in a channel: a step the finder sees.
bool ColoursDiffer(const uint8_t* a, const uint8_t* b, int32_t tolerance);

// How a column (row) of the block is seen. The ruler's own guide lines are not
// edges: the search sees through the columns and rows they cover. A line at v
// marks the boundary before column v, so its columns left of v count with the
// colour on their left and the others with the colour on their right.
enum MaskSide : uint8_t {
    MaskClear = 0,
    MaskLeft = 1,
    MaskRight = 2,
};
struct EdgeMask {
    std::vector<uint8_t> columns; // one MaskSide per column, or empty for none
    std::vector<uint8_t> rows;    // one per row, or empty
};
// Marks the columns (rows) a line at `value`, `lineSize` wide, covers in a list of `sides`.
void MaskLine(std::vector<uint8_t>& sides, int32_t value, int32_t lineSize);
// Marks the columns (rows) from..to - 1 as seen through, boundaries in them being no edges.
void MaskSpan(std::vector<uint8_t>& sides, int32_t from, int32_t to);
// The boundary seen between the clear columns u < w with only masked ones between them:
// before the first column that belongs to the right, or before w.
int32_t BoundaryBetween(const std::vector<uint8_t>& sides, int32_t u, int32_t w);

// One ray from a point: the boundary of the first edge it meets (the line between column
// (row) boundary - 1 and boundary), or, when it meets none, the block's side it reached.
enum class RayDirection : uint8_t { Left, Right, Up, Down };
struct RayEdge {
    bool found = false;
    int32_t boundary = 0;
};
// The ray from (x, y); a point on a masked column (row) is read beside it (SeenIndex).
// Not found, at 0, for a point outside the block or with every column (row) masked.
RayEdge ScanRay(const PixelBlock& block, const EdgeMask& mask, int32_t x, int32_t y, RayDirection direction,
                int32_t tolerance);

// The area around a point up to its edges: columns left..right and rows top..bottom,
// inclusive. A side whose scan reached the block's edge is not found.
struct EdgeArea {
    bool valid = false;
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    bool leftFound = false, rightFound = false, topFound = false, bottomFound = false;
};
// The four rays from (x, y): left, right, up and down to the first edge.
EdgeArea ScanArea(const PixelBlock& block, const EdgeMask& mask, int32_t x, int32_t y, int32_t tolerance);
// Where the scan starts for a point: a point on a guide line is read beside it, on the side
// that line's part belongs to. -1 when every column (row) is masked.
int32_t SeenIndex(const std::vector<uint8_t>& sides, int32_t i, int32_t n);
// The same scan from the clear (x, y), given only the two lines it reads: the block's row y
// (width x 1) and its column x (1 x height).
EdgeArea ScanCross(const PixelBlock& row, const PixelBlock& column, const EdgeMask& mask, int32_t x, int32_t y,
                   int32_t tolerance);

// Adds the lines on the area's found edges (X at left and right + 1, Y at top and
// bottom + 1) that the guide lines do not hold yet; returns how many were added.
size_t AddEdgeLines(const EdgeArea& area, GuideLines& lines);

// Strength of every boundary between columns k - 1 and k (k = 0 .. width): the number
// of rows in which the finder sees an edge there. Only boundaries from..to are counted
// (reading a little beyond them); the others stay 0. Masked rows do not count.
std::vector<int32_t> ColumnEdgeStrengths(const PixelBlock& block, const EdgeMask& mask, int32_t tolerance, int32_t from,
                                         int32_t to);
inline std::vector<int32_t> ColumnEdgeStrengths(const PixelBlock& block, const EdgeMask& mask, int32_t tolerance)
{
    return ColumnEdgeStrengths(block, mask, tolerance, 0, block.width);
}

// Where a line placed at `value` goes: the strongest boundary within kSnapRadius that
// is at least kMinEdgeLength long, the nearer on a tie (the lower of two as near);
// `value` itself when there is none.
int32_t ChooseSnap(const std::vector<int32_t>& strengths, int32_t value);
