#include "ruler/scalebar/UnitTicks.h"

#include "ruler/scalebar/ScaleBarStyle.h"

#include <algorithm>
#include <cmath>

namespace {

// A unit's ticks counted in steps: a step's size in the unit is stepUnits / stepParts,
// each family's pitch is a whole number of steps, and a large tick's number is its
// count of steps times stepUnits / stepParts (a whole number, as the large pitch is a
// multiple of stepParts).
struct TickSteps {
    int64_t stepUnits;
    int64_t stepParts;
    int32_t pitches[3]; // small, middle, large; 0 takes the Settings pitches
};

// In Unit order.
constexpr TickSteps kSteps[kUnitCount] = {
    {1, 1, {0, 0, 0}},   // Pixels
    {1, 1, {0, 0, 0}},   // Logical Pixels
    {1, 1, {1, 5, 10}},  // Millimetres
    {1, 10, {1, 5, 10}}, // Centimetres: 1 mm steps
    {1, 16, {1, 4, 16}}, // Inches: 1/16 in steps
    {6, 1, {1, 6, 12}},  // Points: 6 pt steps
    {1, 1, {1, 5, 10}},  // Percent
};

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

} // namespace

BarMarks UnitBarMarks(const UnitAxis& axis, const TickPitches& pitches, int64_t from, int64_t to)
{
    BarMarks marks;
    const Unit unit = axis.GetUnit();
    const TickSteps& steps = kSteps[static_cast<int32_t>(unit)];
    const double pixelsPerStep = axis.PixelsPerUnit() * steps.stepUnits / steps.stepParts;
    const int64_t lo = std::max<int64_t>(from, 1), hi = std::min<int64_t>(to, int64_t{axis.Extent()} - 1);
    if (pixelsPerStep <= 0 || hi < lo) return marks;

    const int32_t settings[3] = {pitches.small, pitches.middle, pitches.large};
    for (int family = 0; family < 3; ++family) {
        const int32_t pitch = steps.pitches[family] ? steps.pitches[family] : settings[family];
        if (pitch <= 0) continue;
        const double spacing = pitch * pixelsPerStep;
        if (unit != Unit::Pixels && spacing < kMinTickSpacing) continue;
        // The first multiple that can round into [lo, hi]; the loop skips any before lo.
        for (int64_t k = std::max<int64_t>(1, static_cast<int64_t>(std::floor((lo - 1) / spacing)));; ++k) {
            // From the count of steps, so families that meet round to the same pixel.
            const int64_t count = k * pitch;
            const int64_t offset = std::llround(count * pixelsPerStep);
            if (offset > hi) break;
            if (offset < lo) continue;
            marks.ticks.push_back({static_cast<int32_t>(offset), static_cast<TickFamily>(family)});
            if (family == static_cast<int>(TickFamily::Large))
                marks.numbers.push_back(
                    {static_cast<int32_t>(offset), Wide(FormatScaleNumber(count * steps.stepUnits / steps.stepParts))});
        }
    }
    // One tick per offset, in its largest family: families coincide where their pitches do.
    std::sort(marks.ticks.begin(), marks.ticks.end(), [](const BarTick& a, const BarTick& b) {
        return a.offset != b.offset ? a.offset < b.offset : a.family > b.family;
    });
    marks.ticks.erase(std::unique(marks.ticks.begin(), marks.ticks.end(),
                                  [](const BarTick& a, const BarTick& b) { return a.offset == b.offset; }),
                      marks.ticks.end());
    return marks;
}
