#pragma once

// Window-free layout of the dimension bands a measured copy carries below and to
// the right of the picture: where the marks go, where each number stands and which
// stretches of line join them.
//
// A band has rows of numbers across it, each half the bar's thickness: row 0 holds the
// gaps between marks, then come as many staggered rows as narrow gaps need, and the
// last row holds the whole length (row 0 stays empty when no line divides it). A gap whose number does not fit between its marks
// has it beside a mark on row 0, the line reaching out to it, or on a staggered row
// with a leader from the gap; no number ever covers another, a mark or a line.

#include <cstdint>
#include <functional>
#include <vector>

// One number of a band, placed along the band in picture pixels.
struct DimensionLabel {
    int32_t value = 0;  // the gap (or the whole length) in pixels
    int32_t centre = 0; // where the number's middle goes
    int32_t row = 0;
    int32_t from = 0, to = 0; // the number's extent along the band, `to` exclusive
    // On a staggered row: where the leader leaves row 0 for the number; -1 for none.
    int32_t leaderAt = -1;
};

// A stretch of dimension line along the middle of a row, `to` exclusive.
struct DimensionLine {
    int32_t row = 0;
    int32_t from = 0, to = 0;
};

// A band's content along its length, counted from the picture's first column (row).
struct DimensionBand {
    std::vector<int32_t> marks; // ascending, no repeats: the inner area's ends, every line inside
    std::vector<DimensionLabel> labels;
    std::vector<DimensionLine> lines;
    int32_t rows = 2;

    int32_t TotalRow() const { return rows - 1; }
    // Rows beyond the two every band has; each makes the band half a bar thicker.
    int32_t StaggeredRows() const { return rows - 2; }
};

// The width in pixels that a number takes when written in the band.
using NumberWidth = std::function<int32_t(int32_t value)>;

// Most staggered rows a band takes: numbers that would need more are left out, so that
// lines crowded a pixel apart cannot make the picture too large to copy.
constexpr int32_t kMaxStaggeredRows = 16;

// Lays out the band of a picture `length` pixels long for the guide lines `lines`
// (inner-area coordinates, as the ruler keeps them). `origin` is the picture column of
// the inner area's column 0: the bar thickness when the picture includes the scale,
// else 0. Gaps are measured from the inner area's edges, as the scale counts; lines the
// ruler does not draw (before 0, at or past `innerLength`) get no mark. A number keeps
// `margin` pixels clear on each side of it.
DimensionBand LayoutDimensionBand(const std::vector<int32_t>& lines, int32_t origin, int32_t innerLength,
                                  int32_t length, const NumberWidth& numberWidth, int32_t margin);
