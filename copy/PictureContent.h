#pragma once

#include "ruler/UnitAxis.h"
#include "ruler/WindowRect.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// What a copy's picture shows: a rectangle of the screen, and on request the cursor
// image and the dimension bands.
struct PictureContent {
    WindowRect area; // screen coordinates
    bool withCursor = false;
    int32_t offsetX = 0; // the cursor image's offsets from the pointer
    int32_t offsetY = 0;
    // Width of each dimension band below and to the right of the screen part, 0 for none;
    // a band needing staggered rows of numbers is wider (DimensionBands).
    int32_t band = 0;
    // Picture column (and row) of the inner area's column 0: the bars' thickness when the
    // picture includes them.
    int32_t origin = 0;
    int32_t innerWidth = 0; // guide lines at or past these are not drawn
    int32_t innerHeight = 0;
    std::vector<int32_t> linesX;
    std::vector<int32_t> linesY;
    // The unit the bands' numbers are written in, along X and Y; Pixels unless the ruler says otherwise.
    UnitAxis alongX;
    UnitAxis alongY;
    COLORREF markColour = 0;
    LOGFONTW font = {};
};
