#include "shell/IconMenuLayout.h"

#include "ruler/Geometry.h"

#include <algorithm>

IconMenuLayout IconMenuLayoutAt(int32_t dpi)
{
    IconMenuLayout layout;
    const int32_t scaledIcon = FramePixels(layout.icon, dpi);
    for (int32_t size : kIconMenuImageSizes)
        if (size <= scaledIcon) layout.icon = size;
    layout.column = FramePixels(layout.column, dpi);
    layout.textLeft = FramePixels(layout.textLeft, dpi);
    layout.arrow = FramePixels(layout.arrow, dpi);
    layout.minHeight = FramePixels(layout.minHeight, dpi);
    layout.textMargin = FramePixels(layout.textMargin, dpi);
    layout.iconInset = FramePixels(layout.iconInset, dpi);
    return layout;
}

IconMenuItemExtent IconMenuItemSize(const IconMenuLayout& layout, int32_t textWidth, int32_t textHeight, bool submenu)
{
    return {textWidth + layout.column + (submenu ? layout.arrow : 0),
            std::max(textHeight + layout.textMargin, layout.minHeight)};
}

WindowRect IconMenuIconBox(const IconMenuLayout& layout, const WindowRect& row)
{
    const int32_t left = row.left + layout.iconInset;
    const int32_t top = row.top + (row.Height() - layout.icon) / 2;
    return {left, top, left + layout.icon, top + layout.icon};
}
