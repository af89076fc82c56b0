#include "copy/DimensionBands.h"

#include "framework/Handles.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

// The numbers at the thickness of the bars, so they scale with them; TrueType so they can turn.
HFONT CreateNumberFont(const PictureContent& content, int escapement)
{
    LOGFONTW face = content.font;
    face.lfHeight = -std::max(1, content.band * 3 / 10);
    face.lfWidth = 0;
    face.lfWeight = FW_NORMAL;
    face.lfEscapement = face.lfOrientation = escapement;
    face.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    // Marks and numbers in exactly the mark colour, crisp at small sizes.
    face.lfQuality = NONANTIALIASED_QUALITY;
    return CreateFontIndirectW(&face);
}

// A band runs along the picture's bottom (horizontal) or right edge, `base` being its
// first row (column); `across` counts from there into the band, whose rows of numbers
// are each half the bars' thickness.
class BandPainter {
public:
    BandPainter(HDC dc, bool horizontal, int base, int thickness, const TEXTMETRICW& metrics, const UnitAxis& unit)
        : m_dc(dc), m_horizontal(horizontal), m_base(base), m_half(thickness / 2), m_thickness(thickness),
          m_metrics(metrics), m_unit(unit)
    {
    }

    // `length`: the picture's side along the band, whose far end meets the other band.
    void Paint(const DimensionBand& band, int length) const
    {
        if (band.marks.empty()) return;
        const int depth = m_thickness + band.StaggeredRows() * m_half;
        // The two bands meet at the picture's corner: a mark on its last pixel stops short
        // of it, so the bands' end marks do not cross there.
        const int cornerGap = std::max(2, m_thickness / 20);
        for (int32_t mark : band.marks) {
            const bool end = mark == band.marks.front() || mark == band.marks.back();
            Line(mark, mark == length - 1 ? cornerGap : 0, mark, end ? depth : m_half);
        }
        for (const DimensionLine& line : band.lines) Line(line.from, RowCentre(line.row), line.to, RowCentre(line.row));
        const int toBaseline = (m_metrics.tmAscent - m_metrics.tmDescent) / 2;
        for (const DimensionLabel& label : band.labels) {
            const int baseline = RowCentre(label.row) + toBaseline;
            if (label.leaderAt >= 0) {
                // Down from the gap's line to the number's top, or to its row where a run goes on along it.
                const bool under = label.leaderAt >= label.from && label.leaderAt < label.to;
                const int foot = under ? baseline - m_metrics.tmAscent : RowCentre(label.row) + 1;
                Line(label.leaderAt, RowCentre(0), label.leaderAt, foot);
            }
            const std::wstring text = m_unit.Number(label.value);
            const POINT at = Point(label.centre, baseline);
            TextOutW(m_dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
        }
    }

private:
    int RowCentre(int row) const { return row * m_half + m_half / 2; }
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
    int m_half;
    int m_thickness;
    const TEXTMETRICW& m_metrics;
    const UnitAxis& m_unit;
};

int32_t TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int32_t>(size.cx);
}

} // namespace

DimensionBands::DimensionBands(const PictureContent& content)
    : m_width(content.area.Width()), m_height(content.area.Height()), m_thickness(content.band),
      m_colour(content.markColour), m_across(m_thickness > 0 ? CreateNumberFont(content, 0) : nullptr),
      m_upwards(m_thickness > 0 ? CreateNumberFont(content, 900) : nullptr), m_unitX(content.alongX),
      m_unitY(content.alongY)
{
    if (m_thickness <= 0 || m_width <= 0 || m_height <= 0) return;
    // Measured in a DC of the screen's kind, as the picture's own DC will draw them.
    const CreatedDC measure(CreateCompatibleDC(nullptr));
    if (!measure.get()) return;
    const SavedDC saved(measure.get());
    SelectObject(measure.get(), m_across.get());
    GetTextMetricsW(measure.get(), &m_metrics);
    // A band too thin for a line of text shows its marks alone.
    const bool rowHoldsText = m_metrics.tmHeight > 0 && m_metrics.tmHeight <= m_thickness / 2;
    const auto widthIn = [&](const UnitAxis& unit) -> NumberWidth {
        return [&, unit](int32_t value) {
            return rowHoldsText ? TextWidth(measure.get(), unit.Number(value)) : INT32_MAX / 4;
        };
    };
    const int32_t margin = std::max(2, m_thickness / 10);
    m_alongX =
        LayoutDimensionBand(content.linesX, content.origin, content.innerWidth, m_width, widthIn(m_unitX), margin);
    m_alongY =
        LayoutDimensionBand(content.linesY, content.origin, content.innerHeight, m_height, widthIn(m_unitY), margin);
    // The name of the numbers' unit, once, where the bands meet; pixels are named too.
    const Unit unit = m_unitX.GetUnit();
    const std::wstring name = unit == Unit::Pixels ? kPixelShortName : UnitShortName(unit);
    if (rowHoldsText && TextWidth(measure.get(), name) + 2 * margin <= std::min(RightDepth(), BottomDepth()))
        m_cornerName = name;
}

int32_t DimensionBands::Depth(const DimensionBand& band) const
{
    if (m_thickness <= 0 || m_width <= 0 || m_height <= 0) return 0;
    return m_thickness + band.StaggeredRows() * (m_thickness / 2);
}

void DimensionBands::Draw(HDC dc) const
{
    const int right = RightDepth(), bottom = BottomDepth();
    if (right <= 0 || bottom <= 0) return;
    const RECT below = {0, m_height, m_width + right, m_height + bottom},
               beside = {m_width, 0, m_width + right, m_height};
    FillRect(dc, &below, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(dc, &beside, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, m_colour));
    const SavedDC saved(dc);
    SelectObject(dc, pen.get());
    SetTextColor(dc, m_colour);
    // The lines stop short of every number: nothing lies under the text.
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_BASELINE);
    SelectObject(dc, m_across.get());
    BandPainter(dc, true, m_height, m_thickness, m_metrics, m_unitX).Paint(m_alongX, m_width);
    if (!m_cornerName.empty())
        TextOutW(dc, m_width + right / 2, m_height + bottom / 2 + (m_metrics.tmAscent - m_metrics.tmDescent) / 2,
                 m_cornerName.c_str(), static_cast<int>(m_cornerName.size()));
    SelectObject(dc, m_upwards.get());
    BandPainter(dc, false, m_width, m_thickness, m_metrics, m_unitY).Paint(m_alongY, m_height);
}
