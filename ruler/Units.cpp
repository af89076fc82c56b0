#include "ruler/Units.h"

#include "profile/ProfileStore.h"
#include "ruler/RulerOptions.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

const char kUnitKey[] = "Unit";

// Decimals each unit writes, in Unit order; Logical Pixels drops its one when it is zero.
constexpr int kDecimals[kUnitCount] = {0, 1, 1, 2, 3, 1, 1};

} // namespace

Unit UnitFromStored(int32_t stored)
{
    return stored >= 0 && stored < kUnitCount ? static_cast<Unit>(stored) : Unit::Pixels;
}

void PersistUnit(ProfileStore& store, Unit& unit, bool loading)
{
    if (loading)
        unit = UnitFromStored(store.ReadInt(RulerOptions::Section, kUnitKey, static_cast<int>(unit)));
    else
        store.WriteInt(RulerOptions::Section, kUnitKey, static_cast<int>(unit));
}

const wchar_t* UnitShortName(Unit unit)
{
    static const wchar_t* const kNames[kUnitCount] = {L"", L"dip", L"mm", L"cm", L"in", L"pt", L"%"};
    return kNames[static_cast<int32_t>(UnitFromStored(static_cast<int32_t>(unit)))];
}

std::wstring FormatUnitValue(Unit unit, double value)
{
    // Far beyond any screen, but it keeps the text within its buffer.
    value = std::isfinite(value) ? std::clamp(value, -1e15, 1e15) : 0;
    int decimals = kDecimals[static_cast<int32_t>(UnitFromStored(static_cast<int32_t>(unit)))];
    if (unit == Unit::LogicalPixels && std::fmod(std::round(value * 10), 10) == 0) decimals = 0;
    // Rounded here, so the text and the choice of decimals agree; a value that rounds to
    // zero loses its sign.
    const double factor = std::pow(10.0, decimals);
    double rounded = std::round(value * factor) / factor;
    if (rounded == 0) rounded = 0;
    wchar_t text[64];
    std::swprintf(text, 64, L"%.*f", decimals, rounded);
    return text;
}
