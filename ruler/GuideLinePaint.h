#pragma once

// The guide lines as the ruler composes them: each shown line across the inner area, its
// value written on the bars at both of its ends in the ruler's unit, and the stretches of
// a bar those values take, which the bar's own numbers keep clear of. In a unit the values
// move aside, or are left out, rather than overprint each other or the bar's length
// (ruler/LineLabelLayout.h).

#include "ruler/RulerModel.h"
#include "ruler/scalebar/NumberSpacing.h"

#include <windows.h>

#include <vector>

class CLabelStamps;

// The lines and their labels in the font selected into dc; labels on `labelBack`, copied
// from `labels` where they were drawn before.
void DrawGuideLines(HDC dc, const WindowRect& client, const RulerModel& model, int32_t thickness, int32_t dpi,
                    COLORREF labelBack, CLabelStamps& labels);

// Where the labels stand along `bar` in a unit (offsets from its start), measured in the
// font selected into dc: the vertical lines' on the top and bottom bars, the horizontal
// lines' on the left and right ones. None in Pixels, where the bars' numbers are drawn
// as they always were.
std::vector<BarSpan> LineLabelSpans(HDC dc, const ScaleBarStyle& bar, const WindowRect& client, const RulerModel& model,
                                    int32_t thickness);
