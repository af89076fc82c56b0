#pragma once

// What the ruler's coordinate tooltip says where no guide line is under the pointer,
// window-free.

#include "ruler/RulerModel.h"

#include <cstdint>
#include <string>

// At client point (x, y) of a ruler laid out in `client`: over the move box the inner
// area's size and ratio (ruler/InnerSizeText.h), over a bar the pointer's place along it in
// the unit ("32.0 mm"; "160" in Pixels), elsewhere nothing. `dpi` scales the move box.
std::wstring PointerTipText(const RulerModel& model, const WindowRect& client, int32_t thickness, int32_t dpi,
                            int32_t x, int32_t y);
