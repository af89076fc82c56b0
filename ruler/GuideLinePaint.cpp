#include "ruler/GuideLinePaint.h"

#include "framework/DibCanvas.h"
#include "framework/GdiHolders.h"
#include "ruler/Geometry.h"
#include "ruler/LabelStamps.h"
#include "ruler/LineLabelLayout.h"

#include <algorithm>
#include <cwchar>

namespace {

// Where the lines and labels of one composition go: straight into the surface's pixels
// where it allows, through GDI elsewhere.
struct LinePainter {
    HDC dc;
    std::optional<PixelCanvas> canvas;
    Bgr colour;
    CLabelStamps& labels;
    // Rows every vertical line was painted on already, all lines together; none when empty.
    int64_t paintedTop = 0;
    int64_t paintedBottom = 0;
};

// The line's band: the rectangle without its last column and row, exactly L pixels, as
// Rectangle with the null pen paints it in the selected brush.
void FillLine(LinePainter& paint, const WindowRect& line, bool vertical)
{
    const int64_t right = line.right - 1, bottom = line.bottom - 1;
    if (!paint.canvas) {
        PatBlt(paint.dc, line.left, line.top, line.Width() - 1, line.Height() - 1, PATCOPY);
    } else if (vertical && paint.paintedTop < paint.paintedBottom) {
        paint.canvas->Fill(line.left, line.top, right, std::min<int64_t>(bottom, paint.paintedTop), paint.colour);
        paint.canvas->Fill(line.left, std::max<int64_t>(line.top, paint.paintedBottom), right, bottom, paint.colour);
    } else {
        paint.canvas->Fill(line.left, line.top, right, bottom, paint.colour);
    }
}

// The vertical lines' rows that no label reaches, painted for all of them at once, a row at a
// time: going down each line in turn touches a new stretch of memory on every row. In
// Pixels a line's labels stand in the top and bottom rows, and the lines and labels there
// are painted in their order as before; a label's text is taken to reach no further than
// its own height beyond it. In a unit the labels come after every line.
void FillVerticalMiddles(LinePainter& paint, const WindowRect& client, const RulerModel& model, int32_t thickness)
{
    if (!paint.canvas) return;
    int64_t reach = 0;
    if (model.options.DisplayUnit == Unit::Pixels) {
        TEXTMETRICW metrics = {};
        if (!GetTextMetricsW(paint.dc, &metrics)) return;
        reach = 2 * int64_t(metrics.tmHeight);
    }
    const int64_t h = client.Height();
    std::vector<ColumnSpan> columns;
    int64_t top = 0, bottom = 0;
    for (int32_t value : model.lines.Of(true)) {
        if (!LineShown(client, value, true, thickness)) continue;
        const WindowRect line = LineRect(client, value, true, thickness, model.options.LineSize);
        columns.push_back({line.left, line.right - 1});
        top = std::max<int64_t>(line.top, reach);
        bottom = std::min<int64_t>(line.bottom - 1, h - reach);
    }
    if (columns.empty() || top >= bottom) return;
    paint.canvas->FillColumns(columns, top, bottom, paint.colour);
    paint.paintedTop = top;
    paint.paintedBottom = bottom;
}

// A vertical line's label reads across its top and bottom ends, a horizontal line's at
// least three characters wide on the left and right bars; in Pixels the plain pixel count,
// written out by hand: hundreds of labels are made on every relayout, and a formatted print
// costs more than copying a label into the image.
std::wstring LabelText(int32_t value, bool vertical, const UnitAxis& axis)
{
    std::wstring text;
    if (axis.GetUnit() == Unit::Pixels) {
        uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
        do {
            text.push_back(static_cast<wchar_t>(L'0' + magnitude % 10));
            magnitude /= 10;
        } while (magnitude);
        if (value < 0) text.push_back(L'-');
        std::reverse(text.begin(), text.end());
    } else {
        text = axis.Number(value);
    }
    if (vertical) return L" " + text + L" ";
    if (text.size() < 3) text.insert(0, 3 - text.size(), L' ');
    return text;
}

// The box of a horizontal line's label on the left (or right) bar: DT_VCENTER within it.
RECT SideLabelBox(const WindowRect& line, int32_t left, int32_t right)
{
    RECT box = {left, line.top - 1, right, line.bottom};
    InflateRect(&box, -2, -2);
    return box;
}

// In Pixels: the line and its labels centred at both ends, opaque over whatever is there.
void DrawGuideLine(LinePainter& paint, const WindowRect& client, int32_t value, bool vertical, int32_t thickness,
                   int32_t lineSize, int32_t dpi, const UnitAxis& axis)
{
    const WindowRect line = LineRect(client, value, vertical, thickness, lineSize);
    FillLine(paint, line, vertical);

    const std::wstring text = LabelText(value, vertical, axis);
    const int w = client.Width(), h = client.Height(), half = thickness / 2, labelRow = FramePixels(32, dpi);
    if (vertical) {
        paint.labels.Draw(text, {line.left, 0, line.right, labelRow}, DT_CENTER);
        paint.labels.Draw(text, {line.left, h - labelRow, line.right, h}, DT_CENTER | DT_BOTTOM);
    } else {
        paint.labels.Draw(text, SideLabelBox(line, 0, half), DT_VCENTER);
        paint.labels.Draw(text, SideLabelBox(line, w - half, w), DT_RIGHT | DT_VCENTER);
    }
}

// A label laid out on a bar in a unit: its text and where it begins along the bar.
struct BarLabel {
    std::wstring text;
    int64_t begin = 0; // from the bar's start
    int32_t extent = 0;
};

int32_t TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The labels a bar carries in a unit, in the font selected into dc: the vertical lines'
// on the top and bottom bars, the horizontal lines' on the left and right ones, moved
// apart where they would touch and left out where no room is (ruler/LineLabelLayout.h).
std::vector<BarLabel> UnitBarLabels(HDC dc, const ScaleBarStyle& bar, const WindowRect& client,
                                    const RulerModel& model, int32_t thickness)
{
    std::vector<BarLabel> shown;
    if (bar.Rect.IsEmpty() || (!bar.IsHorizontal() && !bar.IsVertical())) return shown;
    const bool vertical = bar.IsHorizontal();
    const int64_t barStart = vertical ? bar.Rect.left : bar.Rect.top;
    const int64_t barLength = vertical ? bar.Rect.Width() : bar.Rect.Height();
    const UnitAxis axis = model.Axis((vertical ? client.Width() : client.Height()) - 2 * thickness);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    // Across a vertical bar every text takes the font's height along it.
    const auto extentOf = [&](const std::wstring& text) { return vertical ? TextWidth(dc, text) : metrics.tmHeight; };

    std::vector<BarLabel> all;
    std::vector<LineLabel> labels;
    for (int32_t value : model.lines.Of(vertical)) {
        if (!LineShown(client, value, vertical, thickness)) continue;
        const WindowRect line = LineRect(client, value, vertical, thickness, model.options.LineSize);
        BarLabel label{LabelText(value, vertical, axis), 0, 0};
        label.extent = extentOf(label.text);
        LineLabel layout;
        // The painted band leaves out the rectangle's last column (row).
        layout.lineBegin = (vertical ? line.left : line.top) - barStart;
        layout.lineEnd = (vertical ? line.right : line.bottom) - 1 - barStart;
        // Where DT_CENTER and DT_VCENTER would put it.
        if (vertical) {
            layout.centred = line.left + (line.Width() - label.extent) / 2 - barStart;
        } else {
            const RECT box = SideLabelBox(line, 0, thickness / 2);
            layout.centred = box.top + (box.bottom - box.top - label.extent) / 2 - barStart;
        }
        layout.extent = label.extent;
        labels.push_back(layout);
        all.push_back(std::move(label));
    }
    const std::wstring length = axis.Number(static_cast<double>(barLength));
    const BarSpan lengthLabel = CentredSpan(barLength, extentOf(length));
    const std::vector<LabelPlace> places =
        PlaceLineLabels(labels, barLength, (bar.Flags & BarNumbers) != 0, lengthLabel);
    for (size_t i = 0; i < all.size(); ++i) {
        if (!places[i].shown) continue;
        all[i].begin = places[i].begin;
        shown.push_back(std::move(all[i]));
    }
    return shown;
}

void DrawUnitBarLabels(LinePainter& paint, const ScaleBarStyle& bar, const WindowRect& client, const RulerModel& model,
                       int32_t thickness, int32_t dpi)
{
    const int w = client.Width(), h = client.Height(), half = thickness / 2, labelRow = FramePixels(32, dpi);
    const WindowRect& r = bar.Rect;
    for (const BarLabel& label : UnitBarLabels(paint.dc, bar, client, model, thickness)) {
        const LONG along = static_cast<LONG>((bar.IsHorizontal() ? r.left : r.top) + label.begin);
        RECT box = {};
        UINT format = 0;
        switch (bar.Edge()) {
        case BarTop: box = {along, 0, along + label.extent, labelRow}; break;
        case BarBottom:
            box = {along, h - labelRow, along + label.extent, h};
            format |= DT_BOTTOM;
            break;
        case BarLeft: box = {2, along, half - 2, along + label.extent}; break;
        default:
            box = {w - half + 2, along, w - 2, along + label.extent};
            format |= DT_RIGHT;
            break;
        }
        paint.labels.Draw(label.text, box, format);
    }
}

} // namespace

void DrawGuideLines(HDC dc, const WindowRect& client, const RulerModel& model, int32_t thickness, int32_t dpi,
                    COLORREF labelBack, CLabelStamps& labels)
{
    if (model.lines.Empty()) return;
    const RulerOptions& options = model.options;
    const COLORREF lineColour = AsRgb(options.LineColor);
    GdiObject<HBRUSH> brush(CreateSolidBrush(lineColour));
    SavedDC saved(dc);
    SelectObject(dc, brush.get());
    SetTextColor(dc, AsRgb(options.LineTextColor));
    SetBkColor(dc, labelBack);
    SetBkMode(dc, OPAQUE);
    LinePainter paint{dc, DirectCanvasOf(dc),
                      {GetBValue(lineColour), GetGValue(lineColour), GetRValue(lineColour)}, labels};
    labels.Begin(dc, paint.canvas);
    FillVerticalMiddles(paint, client, model, thickness);
    const bool inPixels = options.DisplayUnit == Unit::Pixels;
    for (bool vertical : {true, false}) {
        const UnitAxis axis = model.Axis((vertical ? client.Width() : client.Height()) - 2 * thickness);
        for (int32_t value : model.lines.Of(vertical)) {
            if (!LineShown(client, value, vertical, thickness)) continue;
            if (inPixels) {
                DrawGuideLine(paint, client, value, vertical, thickness, options.LineSize, dpi, axis);
            } else {
                FillLine(paint, LineRect(client, value, vertical, thickness, options.LineSize), vertical);
            }
        }
    }
    if (inPixels) return;
    // A unit's labels are laid out per bar, so that they never overprint each other.
    for (const ScaleBarStyle& bar : model.bars) DrawUnitBarLabels(paint, bar, client, model, thickness, dpi);
}

std::vector<BarSpan> LineLabelSpans(HDC dc, const ScaleBarStyle& bar, const WindowRect& client, const RulerModel& model,
                                    int32_t thickness)
{
    std::vector<BarSpan> spans;
    if (model.options.DisplayUnit == Unit::Pixels) return spans;
    for (const BarLabel& label : UnitBarLabels(dc, bar, client, model, thickness))
        spans.push_back({label.begin, label.begin + label.extent});
    return spans;
}
