#include "framework/TextPlacement.h"

TextOrigin SingleLineOrigin(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width, int32_t height,
                            TextAcross across, TextDown down)
{
    TextOrigin at{left, top};
    if (across == TextAcross::Centre)
        at.x = (left + right - width) / 2;
    else if (across == TextAcross::Right)
        at.x = right - width;
    if (down == TextDown::Centre)
        at.y = top + (bottom - top) / 2 - height / 2;
    else if (down == TextDown::Bottom)
        at.y = bottom - height;
    return at;
}
