#include "copy/DimensionBands.h"

#include "copy/MeasureLayout.h"
#include "framework/GdiHolders.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

// A band runs along the picture's bottom (horizontal) or right edge, `base` being its
// first row (column); `across` counts from there into the band.
class BandPainter {
public:
    BandPainter(HDC dc, bool horizontal, int base, int thickness, const UnitAxis& axis)
        : m_dc(dc), m_horizontal(horizontal), m_base(base), m_thickness(thickness), m_axis(axis)
    {
    }

    void Paint(const DimensionBand& band, const TEXTMETRICW& metrics) const
    {
        if (band.marks.empty()) return;
        const int half = m_thickness / 2;
        const int first = band.marks.front(), last = band.marks.back();
        // A dimension line through each row; the numbers break it.
        Line(first, RowCentre(0), last + 1, RowCentre(0));
        Line(first, RowCentre(1), last + 1, RowCentre(1));
        for (int32_t mark : band.marks) Line(mark, 0, mark, (mark == first || mark == last) ? m_thickness : half);
        // The glyphs reach `ascent` before the baseline and `descent` after it, across the band.
        const int toBaseline = (metrics.tmAscent - metrics.tmDescent) / 2;
        for (const DimensionLabel& label : band.labels) {
            const std::wstring text = m_axis.Number(label.value);
            const POINT at = Point(label.centre, RowCentre(label.row) + toBaseline);
            TextOutW(m_dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
        }
    }

private:
    int RowCentre(int row) const
    {
        const int half = m_thickness / 2;
        return row * half + half / 2;
    }
    POINT Point(int along, int across) const
    {
        return m_horizontal ? POINT{along, m_base + across} : POINT{m_base + across, along};
    }
    void Line(int fromAlong, int fromAcross, int toAlong, int toAcross) const
    {
        const POINT from = Point(fromAlong, fromAcross), to = Point(toAlong, toAcross);
        MoveToEx(m_dc, from.x, from.y, nullptr);
        LineTo(m_dc, to.x, to.y);
    }

    HDC m_dc;
    bool m_horizontal;
    int m_base;
    int m_thickness;
    const UnitAxis& m_axis;
};

} // namespace

void DrawDimensionBands(HDC dc, const PictureContent& content)
{
    const int w = content.area.Width(), h = content.area.Height(), d = content.band;
    if (d <= 0 || w <= 0 || h <= 0) return;
    const RECT bottom = {0, h, w + d, h + d}, right = {w, 0, w + d, h};
    FillRect(dc, &bottom, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(dc, &right, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    // Numbers sized to the band, so they scale with the bars; TrueType so they can turn.
    LOGFONTW face = content.font;
    face.lfHeight = -std::max(1, d * 3 / 10);
    face.lfWidth = 0;
    face.lfWeight = FW_NORMAL;
    face.lfEscapement = face.lfOrientation = 0;
    face.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    // Marks and numbers in exactly the mark colour, crisp at small sizes.
    face.lfQuality = NONANTIALIASED_QUALITY;
    GdiObject<HFONT> across(CreateFontIndirectW(&face));
    face.lfEscapement = face.lfOrientation = 900;
    GdiObject<HFONT> upwards(CreateFontIndirectW(&face));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, content.markColour));

    SavedDC saved(dc);
    SelectObject(dc, pen.get());
    SelectObject(dc, across.get());
    SetTextColor(dc, content.markColour);
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    SetTextAlign(dc, TA_CENTER | TA_BASELINE);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    // A band too thin for a line of text shows its marks alone.
    const bool rowHoldsText = metrics.tmHeight <= d / 2;
    const auto widthIn = [&](const UnitAxis& axis) -> NumberWidth {
        return [dc, rowHoldsText, axis](int32_t value) {
            if (!rowHoldsText) return INT32_MAX / 4;
            const std::wstring text = axis.Number(value);
            SIZE size = {};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            return static_cast<int32_t>(size.cx);
        };
    };
    const int32_t margin = std::max(2, d / 10);
    const DimensionBand alongX =
        LayoutDimensionBand(content.linesX, content.origin, content.innerWidth, w, widthIn(content.alongX), margin);
    const DimensionBand alongY =
        LayoutDimensionBand(content.linesY, content.origin, content.innerHeight, h, widthIn(content.alongY), margin);

    BandPainter(dc, true, h, d, content.alongX).Paint(alongX, metrics);
    const std::wstring name = UnitShortName(content.alongX.GetUnit());
    if (rowHoldsText && !name.empty())
        TextOutW(dc, w + d / 2, h + d / 2 + (metrics.tmAscent - metrics.tmDescent) / 2, name.c_str(),
                 static_cast<int>(name.size()));
    SelectObject(dc, upwards.get());
    BandPainter(dc, false, w, d, content.alongY).Paint(alongY, metrics);
}
