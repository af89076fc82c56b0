#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The tooltip of a guide line: its value and the gaps to its neighbours on the same
// axis, "100  (60 | 200)". A side without a neighbour reads the gap to the inner
// area's edge (0, or `extent`, the inner width or height). Lines at the same value
// and lines beyond the inner area are no neighbours.
std::wstring LineGapText(const std::vector<int32_t>& lines, size_t index, int32_t extent);
