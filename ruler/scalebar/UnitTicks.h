#pragma once

// The ticks and numbers of a scale bar in the ruler's unit, window-free: where each
// tick goes along the bar, which family it belongs to, and the text of each number.
// Offsets are device pixels from the bar's start, the inner area's left (top) edge,
// so the painter draws at u0 + offset; like today's ticks they lie strictly inside
// the bar (1 ... length - 1).
//
//   unit            small     middle    large     numbers (at the large ticks)
//   Pixels          ScaleS    ScaleM    ScaleL    pixels, every family kept as today
//   Logical Pixels  ScaleS    ScaleM    ScaleL    logical pixels
//   Millimetres     1 mm      5 mm      10 mm     mm: 10, 20, ...
//   Centimetres     1 mm      5 mm      10 mm     cm: 1, 2, ...
//   Inches          1/16 in   1/4 in    1 in      in: 1, 2, ...
//   Points          6 pt      36 pt     72 pt     pt: 72, 144, ...
//   Percent         1 %       5 %       10 %      %: 10, 20, ...
//
// Except in Pixels, a family whose ticks would stand closer than kMinTickSpacing device
// pixels is left out (and with the large family its numbers).

#include "ruler/UnitAxis.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

constexpr int32_t kMinTickSpacing = 3;

// Each later family is drawn longer and in its own colour (ScaleBarStyle's ColorS/M/L).
enum class TickFamily : int32_t {
    Small = 0,
    Middle = 1,
    Large = 2,
};

struct BarTick {
    int32_t offset = 0;
    TickFamily family = TickFamily::Small;
};

struct BarNumber {
    int32_t offset = 0;
    std::wstring text; // as FormatScaleNumber writes it: at least three characters
};

struct BarMarks {
    std::vector<BarTick> ticks;     // ascending, one per offset, in the largest family there
    std::vector<BarNumber> numbers; // ascending
};

// A bar's Settings pitches, ScaleS, ScaleM and ScaleL: device pixels in Pixels,
// logical pixels in Logical Pixels; the other units have their own.
struct TickPitches {
    int32_t small = 5;
    int32_t middle = 50;
    int32_t large = 100;
};

// The marks of a bar as long as the axis's extent, limited to offsets `from` ... `to`
// (the part the painter can see; numbers want a wider part than ticks, as their text
// reaches beyond their tick).
BarMarks UnitBarMarks(const UnitAxis& axis, const TickPitches& pitches, int64_t from = 0,
                      int64_t to = std::numeric_limits<int64_t>::max());
