#pragma once

#include "copy/PictureContent.h"

#include <windows.h>

// Draws the dimension bands of `content` into a DC holding its whole picture: white,
// with the marks, the gaps between them and the whole length in the mark colour; the
// right band's numbers read upwards along it.
void DrawDimensionBands(HDC dc, const PictureContent& content);
