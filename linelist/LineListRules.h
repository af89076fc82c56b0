#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The rules of the Line list dialog's coordinate lists, apart from any window.

// The values the Add button and the spin accept.
constexpr int32_t MinLineValue = 0;
constexpr int32_t MaxLineValue = 9999;

// A value field read as a signed decimal: leading blanks skipped, an optional
// sign and digits taken as far as they go; text that does not begin with a
// number reads as 0. Values beyond 32 bits stop at the nearest limit.
int32_t ParseLineValue(std::wstring_view text);

// Add takes a value within MinLineValue..MaxLineValue that the list lacks.
bool CanAddLine(const std::vector<int32_t>& lines, int32_t value);

// The spin's new value: the field minus the control's position change,
// kept within MinLineValue..MaxLineValue.
int32_t SpinLineValue(int32_t value, int delta);

// The entry to select after deleting entry `removed`, with `remaining`
// entries left: the same index, or the last one; -1 when the list is empty.
int SelectionAfterDelete(int removed, size_t remaining);

// The 35 values offered by both drop-down lists, in their order.
std::vector<int32_t> PresetLineValues();
