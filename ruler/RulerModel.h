#pragma once

#include "ruler/GuideLines.h"
#include "ruler/RulerOptions.h"
#include "scalebar/ScaleBarStyle.h"

#include <vector>

// What the ruler shows and keeps, without a window: its options, its four scale bars
// (top, bottom, left, right) and its guide lines. Drawing only reads it; features
// change it through the ruler, which lays itself out again after every change.
struct RulerModel {
    RulerOptions options;
    std::vector<ScaleBarStyle> bars;
    GuideLines lines;
};
