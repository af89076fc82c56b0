#pragma once

// Window-free parts of the loupe: its readout text, zoom steps, size at a screen's
// scale, placement beside the pointer, and the magnified image of a pixel block.
// Positions and pixels are device pixels; colours are 0x00BBGGRR like COLORREF.

#include "ruler/UnitAxis.h"
#include "ruler/WindowRect.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The readout: "X 160  Y 120  #00C000  (0, 192, 0)". x and y are ruler coordinates.
std::wstring LoupeReadout(int32_t x, int32_t y, uint32_t color);
// The parts of the readout as the loupe draws them on two lines, and as Ctrl+C copies the colour.
std::wstring LoupePositionText(int32_t x, int32_t y);
std::wstring LoupeColorText(uint32_t color);
std::wstring LoupeChannelsText(uint32_t color);
// The same in a unit, its name written once after Y: "X 40.0  Y 30.0 mm  #00C000  (0, 192, 0)";
// in Pixels exactly the texts above.
std::wstring LoupeReadout(int32_t x, int32_t y, uint32_t color, const UnitAxis& alongX, const UnitAxis& alongY);
std::wstring LoupePositionText(int32_t x, int32_t y, const UnitAxis& alongX, const UnitAxis& alongY);

// The next zoom step up (direction > 0) or down; the ends stay where they are, and a
// zoom that is no step gives the default step.
int32_t StepLoupeZoom(int32_t zoom, int direction);

// The loupe's client area at a screen's scale: the square image on top, the readout strip below.
struct LoupeSize {
    int32_t width = 0;
    int32_t imageSide = 0;
    int32_t height = 0;
};
LoupeSize LoupeSizeAt(int32_t dpi);

// Screen pixels on each side of the centre pixel that the image needs at a zoom; the loupe
// reads the square of 2 * radius + 1 pixels centred on the pointer.
int32_t LoupeGrabRadius(int32_t imageSide, int32_t zoom);
// The square of screen pixels the image shows when the pointer is at (x, y).
WindowRect LoupeGrabRect(int32_t x, int32_t y, int32_t imageSide, int32_t zoom);

// Where the loupe goes: `gap` right of and below the pointer, flipped to the left or above
// where it would leave the work area, and kept inside it where neither side has room.
WindowRect PlaceLoupe(int32_t x, int32_t y, int32_t width, int32_t height, const WindowRect& workArea, int32_t gap);
// The gap at a screen's scale and zoom: 24 px at 96 DPI, and always wider than the grab radius,
// so the loupe never lies over the pixels it reads and never shows itself.
int32_t LoupeGap(int32_t dpi, int32_t imageSide, int32_t zoom);

// Draws the magnified image of a pixel block into the `imageSide` square at `image`.
// Both are 0x00RRGGBB like a 32-bit DIB, addressed by their top row and the step in
// pixels from one row to the next (negative for a bottom-up DIB). The block is
// `blockSide` x `blockSide` pixels, its centre pixel drawn at the image's centre; image
// pixels beyond the block are black. From zoom 8 up a thin grid separates the pixels; the centre pixel is
// ringed outside its cell, white then black, so the ring shows on any background and
// the pixel itself stays its own colour.
void MagnifyBlock(const uint32_t* block, ptrdiff_t blockStride, int32_t blockSide, int32_t zoom, uint32_t* image,
                  ptrdiff_t imageStride, int32_t imageSide);
// The client point at the centre of the image, inside the centre pixel's cell.
inline int32_t LoupeImageCentre(int32_t imageSide)
{
    return imageSide / 2;
}
