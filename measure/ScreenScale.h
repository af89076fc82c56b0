#pragma once

// Where the ruler's physical units get their size: the pixels per metre of the monitor
// it is on, from the best source there is.

#include "measure/Edid.h"
#include "ruler/ScreenBasis.h"

#include <cstdint>
#include <optional>
#include <string>


// In the order they are tried, and of the lines of the string that names them.
enum class ScaleSource : int32_t {
    Calibration = 0, // the user's, stored for the monitor
    Edid = 1,        // the image size the monitor reports
    System = 2,      // GetDeviceCaps HORZSIZE and VERTSIZE
    Assumed = 3,     // 96 pixels per inch
};

struct ScreenScale {
    double pixelsPerMetre = kAssumedPixelsPerMetre;
    ScaleSource source = ScaleSource::Assumed;
};

// What is known of one monitor's size. Sizes of 0 are unknown.
struct ScaleEvidence {
    int32_t calibration = 0; // the stored pixels per metre
    int32_t widthPx = 0;     // the monitor's size in device pixels
    int32_t heightPx = 0;
    std::optional<EdidSize> edid;
    int32_t systemWidthMm = 0; // what GetDeviceCaps reports
    int32_t systemHeightMm = 0;
};


// The first usable source in ScaleSource order. A size gives the mean of the horizontal
// and vertical densities (one of them where the other is unknown), the longer side in
// millimetres taken with the longer side in pixels, so a monitor turned to portrait reads
// as it does upright; a source whose scale falls outside kMinPixelsPerMetre ...
// kMaxPixelsPerMetre is passed over.
ScreenScale ChooseScreenScale(const ScaleEvidence& evidence);

// The scale in figures, the same in every language: "3780 px/m (96.0 px/in)".
std::wstring ScaleFigures(double pixelsPerMetre);
