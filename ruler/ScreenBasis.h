#pragma once

#include "ruler/Geometry.h"

#include <cstdint>

// What the monitor under the ruler gives the conversion of lengths into units.
constexpr double kMetresPerInch = 0.0254;
// Without anything better, a screen is taken to have 96 pixels per inch.
constexpr double kAssumedPixelsPerMetre = 96 / kMetresPerInch;
// The scales the ruler accepts from any source; a calibration outside them is ignored.
constexpr int32_t kMinPixelsPerMetre = 100;
constexpr int32_t kMaxPixelsPerMetre = 100000;

inline bool IsPixelsPerMetre(double pixelsPerMetre)
{
    return pixelsPerMetre >= kMinPixelsPerMetre && pixelsPerMetre <= kMaxPixelsPerMetre;
}

struct ScreenBasis {
    int32_t dpi = kBaseDpi; // effective DPI, for logical pixels
    double pixelsPerMetre = kAssumedPixelsPerMetre;
};
