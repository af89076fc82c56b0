#pragma once

#include "copy/MeasureLayout.h"
#include "copy/PictureContent.h"
#include "framework/GdiHolders.h"

#include <windows.h>

#include <string>

// The dimension bands of a measured picture, below and to the right of its screen part:
// laid out once with the numbers' font, which sizes the picture (a band grows by half a
// bar for each staggered row it needs), then drawn into it. White, with the marks, the
// gaps between them and the whole length in the mark colour, written in the picture's unit
// (content.alongX and alongY), whose short name stands once in the corner square between
// the bands; the right band's numbers read upwards along it. A picture without bands
// (content.band 0) gets depths of 0.
class DimensionBands {
public:
    explicit DimensionBands(const PictureContent& content);
    DimensionBands(const DimensionBands&) = delete;
    DimensionBands& operator=(const DimensionBands&) = delete;

    // The band right of the screen part is RightDepth() wide; the one below it BottomDepth() high.
    int32_t RightDepth() const { return Depth(m_alongY); }
    int32_t BottomDepth() const { return Depth(m_alongX); }
    // Into a DC holding the whole picture, the screen part at its top-left.
    void Draw(HDC dc) const;

private:
    int32_t Depth(const DimensionBand& band) const;

    int32_t m_width, m_height, m_thickness;
    COLORREF m_colour;
    GdiObject<HFONT> m_across;
    GdiObject<HFONT> m_upwards;
    TEXTMETRICW m_metrics = {};
    DimensionBand m_alongX; // the band below: columns
    DimensionBand m_alongY; // the band on the right: rows
    UnitAxis m_unitX;
    UnitAxis m_unitY;
    std::wstring m_cornerName; // empty where it does not fit the corner
};
