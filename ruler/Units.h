#pragma once

// The units the ruler can read in: their stored value, short names and how their
// numbers are written. Guide lines, templates and the template file stay in device
// pixels whatever the unit; only what is shown is converted (ruler/UnitAxis.h).

#include <cstdint>
#include <string>

class ProfileStore;

// In the order of the "Unit" submenu, of its commands (ID_UNIT_PIXELS on) and of the
// stored value.
enum class Unit : int32_t {
    Pixels = 0,        // one device pixel
    LogicalPixels = 1, // device pixels x 96 / the monitor's effective DPI
    Millimetres = 2,
    Centimetres = 3,
    Inches = 4,
    Points = 5,  // 1/72 inch
    Percent = 6, // 1/100 of the inner area's width (X) or height (Y)
};
constexpr int32_t kUnitCount = 7;

// The stored value "Unit" in the ruler's section: 0 ... 6 as above; anything else reads as Pixels.
Unit UnitFromStored(int32_t stored);
// Reads (the current value as default) or writes "Unit" beside the ruler's other options.
void PersistUnit(ProfileStore& store, Unit& unit, bool loading);

// What follows a number in the unit: "dip", "mm", "cm", "in", "pt", "%"; nothing for Pixels.
const wchar_t* UnitShortName(Unit unit);
// Device pixels where a text names them beside another unit.
constexpr const wchar_t* kPixelShortName = L"px";

// A value in the unit as the readouts write it: Pixels a whole number, Logical Pixels a
// whole number when it is one to a tenth and else one decimal, millimetres, points and
// percent one decimal, centimetres two, inches three. No unit name; never "-0.0".
std::wstring FormatUnitValue(Unit unit, double value);
