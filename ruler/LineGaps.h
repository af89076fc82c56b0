#pragma once

#include "ruler/UnitAxis.h"

#include <cstdint>
#include <string>
#include <vector>

// The tooltip of a guide line: its value and the gaps to its neighbours on the same
// axis, "100  (60 | 200)". A side without a neighbour reads the gap to the inner
// area's edge (0, or `extent`, the inner width or height). Lines at the same value
// and lines beyond the inner area are no neighbours.
std::wstring LineGapText(const std::vector<int32_t>& lines, size_t index, int32_t extent);
// The same in the axis's unit, its extent the inner area's: "25.4 mm  (12.7 | 50.8)". In
// Pixels exactly the text above.
std::wstring LineGapText(const std::vector<int32_t>& lines, size_t index, const UnitAxis& axis);
