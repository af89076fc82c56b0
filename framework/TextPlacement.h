#pragma once

#include <cstdint>

// Where a single line of text goes in a box, as DrawText places it with DT_SINGLELINE.
enum class TextAcross { Left, Centre, Right };
enum class TextDown { Top, Centre, Bottom };

struct TextOrigin {
    int32_t x = 0;
    int32_t y = 0;
};

// The top-left corner of a text `width` x `height` pixels in the box: DrawText's own
// arithmetic, C's division included (it rounds toward zero, so a text wider than a box near
// the origin moves by a pixel the other way), so that a label copied there lands on exactly
// the pixels DrawText would paint.
TextOrigin SingleLineOrigin(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width, int32_t height,
                            TextAcross across, TextDown down);
