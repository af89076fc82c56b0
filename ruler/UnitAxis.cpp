#include "ruler/UnitAxis.h"

namespace {

constexpr double kPointsPerInch = 72;
constexpr double kPercentOfExtent = 100;

} // namespace

UnitAxis::UnitAxis(Unit unit, const ScreenBasis& basis, int32_t extent)
    : m_unit(UnitFromStored(static_cast<int32_t>(unit))), m_extent(extent)
{
    const double dpi = basis.dpi > 0 ? basis.dpi : kBaseDpi;
    const double perMetre = IsPixelsPerMetre(basis.pixelsPerMetre) ? basis.pixelsPerMetre : kAssumedPixelsPerMetre;
    switch (m_unit) {
    case Unit::Pixels: m_pixelsPerUnit = 1; break;
    case Unit::LogicalPixels: m_pixelsPerUnit = dpi / kBaseDpi; break;
    case Unit::Millimetres: m_pixelsPerUnit = perMetre / 1000; break;
    case Unit::Centimetres: m_pixelsPerUnit = perMetre / 100; break;
    case Unit::Inches: m_pixelsPerUnit = perMetre * kMetresPerInch; break;
    case Unit::Points: m_pixelsPerUnit = perMetre * kMetresPerInch / kPointsPerInch; break;
    case Unit::Percent: m_pixelsPerUnit = extent > 0 ? extent / kPercentOfExtent : 0; break;
    }
}

std::wstring UnitAxis::NumberWithName(double pixels) const
{
    if (m_unit == Unit::Pixels) return Number(pixels);
    return Number(pixels) + L" " + UnitShortName(m_unit);
}
