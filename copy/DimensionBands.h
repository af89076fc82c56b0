#pragma once

#include "copy/PictureContent.h"

#include <windows.h>

// Draws the dimension bands of `content` into a DC holding its whole picture: white,
// with the marks, the gaps between them and the whole length in the mark colour, in the
// content's unit; the right band's numbers read upwards along it, and the unit's short name
// stands once in the corner square between the bands.
void DrawDimensionBands(HDC dc, const PictureContent& content);
