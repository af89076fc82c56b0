#pragma once

// Which of a bar's numbers can be written without touching each other or the labels
// already on the bar (the guide lines' values, the bar's length), window-free: the
// painter measures the texts through a callback, as copy/MeasureLayout.h does.

#include "ruler/scalebar/UnitTicks.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A stretch along a bar, [begin, end) in device pixels from the bar's start.
struct BarSpan {
    int64_t begin = 0;
    int64_t end = 0;
};

// The stretch a text `extent` pixels long takes when centred on `centre`, as DT_CENTER
// and DT_VCENTER place it.
BarSpan CentredSpan(int64_t centre, int32_t extent);

// The length along the bar that a text takes: its width on a horizontal bar, the font's
// height on a vertical one, where numbers are written across.
using TextExtent = std::function<int32_t(const std::wstring& text)>;

// The numbers to write, each centred on its offset: one that would come closer than
// `gap` pixels to a `taken` span or to the number kept before it is left out, so a
// number never overprints another or a label.
std::vector<BarNumber> SpacedNumbers(const std::vector<BarNumber>& numbers, const std::vector<BarSpan>& taken,
                                     const TextExtent& extent, int32_t gap = 1);
