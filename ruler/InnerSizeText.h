#pragma once

// The move box's tooltip: the inner area's size and its aspect ratio.

#include "ruler/UnitAxis.h"

#include <cstdint>
#include <string>

// The ratio width:height in lowest terms, "16:9"; when a term is still over 50, the
// width per unit of height, "1.78:1". Empty when a side is 0 or less.
std::wstring AspectRatioText(int32_t width, int32_t height);

// The inner area's size (the axes' extents) in the unit, then in pixels, then its
// ratio, two blanks apart:
//   Pixels                  "320 × 180 px  16:9"
//   Percent                 the same: the area is always 100 × 100 %
//   every other unit        "84.7 × 47.6 mm  320 × 180 px  16:9", "213 × 120 dip  320 × 180 px  16:9"
// The ratio is left out where it is empty.
std::wstring InnerSizeText(const UnitAxis& alongX, const UnitAxis& alongY);
