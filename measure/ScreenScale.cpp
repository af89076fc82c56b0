#include "measure/ScreenScale.h"

#include <cmath>
#include <cwchar>
#include <utility>

namespace {

constexpr double kMillimetresPerMetre = 1000;

// Pixels per metre from a size in pixels and in millimetres on each axis; 0 when neither axis is known.
// A monitor turned to portrait swaps its pixel width and height, while the millimetres it
// reports stay those of the panel as built: with both axes known, the longer side in pixels
// goes with the longer side in millimetres.
double Density(int32_t widthPx, int32_t heightPx, int32_t widthMm, int32_t heightMm)
{
    if (widthPx > 0 && heightPx > 0 && widthMm > 0 && heightMm > 0 && (widthPx < heightPx) != (widthMm < heightMm))
        std::swap(widthMm, heightMm);
    double sum = 0;
    int axes = 0;
    if (widthPx > 0 && widthMm > 0) {
        sum += widthPx * kMillimetresPerMetre / widthMm;
        ++axes;
    }
    if (heightPx > 0 && heightMm > 0) {
        sum += heightPx * kMillimetresPerMetre / heightMm;
        ++axes;
    }
    return axes ? sum / axes : 0;
}

} // namespace

ScreenScale ChooseScreenScale(const ScaleEvidence& e)
{
    if (IsPixelsPerMetre(e.calibration)) return {static_cast<double>(e.calibration), ScaleSource::Calibration};
    if (e.edid) {
        const double edid = Density(e.widthPx, e.heightPx, e.edid->widthMm, e.edid->heightMm);
        if (IsPixelsPerMetre(edid)) return {edid, ScaleSource::Edid};
    }
    const double system = Density(e.widthPx, e.heightPx, e.systemWidthMm, e.systemHeightMm);
    if (IsPixelsPerMetre(system)) return {system, ScaleSource::System};
    return {kAssumedPixelsPerMetre, ScaleSource::Assumed};
}

std::wstring ScaleFigures(double pixelsPerMetre)
{
    // Held to what fits the text; a scale from ChooseScreenScale always does.
    const double ppm = std::isfinite(pixelsPerMetre) ? std::fmin(std::fmax(pixelsPerMetre, 0), 1e9) : 0;
    wchar_t text[64];
    std::swprintf(text, 64, L"%.0f px/m (%.1f px/in)", std::round(ppm), ppm * kMetresPerInch);
    return text;
}
