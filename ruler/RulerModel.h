#pragma once

#include "ruler/GuideLines.h"
#include "ruler/RulerOptions.h"
#include "ruler/UnitAxis.h"
#include "ruler/scalebar/ScaleBarStyle.h"

#include <vector>

// What the ruler shows and keeps, without a window: its options, its four scale bars
// (top, bottom, left, right), its guide lines and the scale of the monitor it is on.
// Drawing only reads it; features change it through the ruler, which lays itself out
// again after every change.
struct RulerModel {
    RulerOptions options;
    std::vector<ScaleBarStyle> bars;
    GuideLines lines;
    // The monitor under the ruler's centre, as its unit is read there.
    ScreenBasis basis;

    // The ruler's unit along a side of the inner area `extent` device pixels long.
    UnitAxis Axis(int32_t extent) const { return UnitAxis(options.DisplayUnit, basis, extent); }
};
