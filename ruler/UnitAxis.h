#pragma once

// One axis of the inner area read in a unit: how many device pixels a unit takes and
// how a length in device pixels is written. The ruler makes one for X (the inner width)
// and one for Y (the inner height) from the monitor it is on:
//
//   const ScreenBasis basis{m_dpi, m_screenScale.pixelsPerMetre};
//   const UnitAxis x(m_unit, basis, innerWidth), y(m_unit, basis, innerHeight);
//   x.Number(120) // "31.7" in millimetres at 3780 px/m

#include "ruler/ScreenBasis.h"
#include "ruler/Units.h"

#include <cstdint>
#include <string>

class UnitAxis {
public:
    UnitAxis() = default; // Pixels
    // `extent` is the inner area's width (X) or height (Y) in device pixels. A DPI of 0
    // or less counts as 96, a scale outside the accepted ones as 96 pixels per inch.
    UnitAxis(Unit unit, const ScreenBasis& basis, int32_t extent);

    Unit GetUnit() const { return m_unit; }
    int32_t Extent() const { return m_extent; }
    // Device pixels in one unit; 0 for Percent of an empty extent, where every length reads 0.
    double PixelsPerUnit() const { return m_pixelsPerUnit; }

    double ToUnit(double pixels) const { return m_pixelsPerUnit > 0 ? pixels / m_pixelsPerUnit : 0; }
    // A length in device pixels as the unit writes it, without its name: "31.7".
    std::wstring Number(double pixels) const { return FormatUnitValue(m_unit, ToUnit(pixels)); }
    // The same followed by the unit's short name: "31.7 mm"; in Pixels the number alone.
    std::wstring NumberWithName(double pixels) const;

    bool operator==(const UnitAxis& other) const
    {
        return m_unit == other.m_unit && m_extent == other.m_extent && m_pixelsPerUnit == other.m_pixelsPerUnit;
    }
    bool operator!=(const UnitAxis& other) const { return !(*this == other); }

private:
    Unit m_unit = Unit::Pixels;
    int32_t m_extent = 0;
    double m_pixelsPerUnit = 1;
};
