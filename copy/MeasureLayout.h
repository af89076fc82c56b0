#pragma once

// Window-free layout of the dimension bands a measured copy carries below and to
// the right of the picture: where the marks go and which numbers fit between them.

#include <cstdint>
#include <functional>
#include <vector>

// One number of a band, placed along the band in picture pixels.
struct DimensionLabel {
    int32_t value = 0;  // the gap (or the whole length) in pixels
    int32_t centre = 0; // where the number's middle goes
    int32_t row = 0;    // 0: the gaps between marks, 1: the whole length
};

// A band's content along its length, counted from the picture's first column (row).
struct DimensionBand {
    std::vector<int32_t> marks; // ascending, no repeats: 0, every line inside, length - 1
    std::vector<DimensionLabel> labels;
};

// The width in pixels that a number takes when written in the band.
using NumberWidth = std::function<int32_t(int32_t value)>;

// Lays out the band of a picture `length` pixels long for the guide lines `lines`
// (inner-area coordinates, as the ruler keeps them). `origin` is the picture column of
// the inner area's column 0: the bar thickness when the picture includes the scale,
// else 0. Lines the ruler does not draw (at or past `innerLength`) and lines outside
// the picture get no mark. A number is left out when it and `margin` pixels on each
// side would not fit between its marks.
DimensionBand LayoutDimensionBand(const std::vector<int32_t>& lines, int32_t origin, int32_t innerLength,
                                  int32_t length, const NumberWidth& numberWidth, int32_t margin);
