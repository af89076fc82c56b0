#pragma once

// Where the icon menu puts its icons and text at a display scale. At 96 DPI a 16-pixel
// icon sits in an 18-pixel column, the text starts at 22 pixels, a row is the text's
// height + 2 and never lower than 18 (the system's own menu rows) and a submenu's item
// is 16 pixels wider for its arrow; at other scales every length is scaled alike and the
// icon is the largest size drawn for it (16, 24 or 32 pixels) that the scale holds, so
// that no icon is blurred by stretching.

#include "ruler/WindowRect.h"

#include <cstdint>

struct IconMenuLayout {
    int32_t icon = 16;      // the icons' side
    int32_t column = 18;    // what the icon column adds to the text's width
    int32_t textLeft = 22;  // the text's left edge in the row
    int32_t arrow = 16;     // what a submenu's item adds for its arrow
    int32_t minHeight = 18; // the lowest row
    int32_t textMargin = 2; // a row's height beyond its text's
    int32_t iconInset = 1;  // the icon's distance from the row's left edge
};

// The sizes of the icon images in the program, smallest first.
constexpr int32_t kIconMenuImageSizes[] = {16, 24, 32};

IconMenuLayout IconMenuLayoutAt(int32_t dpi);

struct IconMenuItemExtent {
    int32_t width = 0;
    int32_t height = 0;
};
// An owner-drawn item's size for a text that measures (textWidth, textHeight).
IconMenuItemExtent IconMenuItemSize(const IconMenuLayout& layout, int32_t textWidth, int32_t textHeight, bool submenu);

// The square of the icon (or of the check mark of an item without one) in the row
// `row`: inset from the row's left edge and centred between its top and bottom.
WindowRect IconMenuIconBox(const IconMenuLayout& layout, const WindowRect& row);
