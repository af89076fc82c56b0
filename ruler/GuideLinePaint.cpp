#include "ruler/GuideLinePaint.h"

#include "framework/GdiHolders.h"
#include "ruler/Geometry.h"
#include "ruler/LineLabelLayout.h"

#include <cwchar>

namespace {

// The line's band in the selected brush: the rectangle without its last column and row,
// exactly L pixels, as Rectangle with the null pen paints it, at about half its cost.
void FillLine(HDC dc, const WindowRect& line)
{
    PatBlt(dc, line.left, line.top, line.Width() - 1, line.Height() - 1, PATCOPY);
}

// A vertical line's label reads across its top and bottom ends, a horizontal line's at
// least three characters wide on the left and right bars; in Pixels the plain pixel count.
std::wstring LabelText(int32_t value, bool vertical, const UnitAxis& axis)
{
    wchar_t text[32];
    if (axis.GetUnit() == Unit::Pixels)
        std::swprintf(text, 32, vertical ? L" %d " : L"%3d", value);
    else
        std::swprintf(text, 32, vertical ? L" %ls " : L"%3ls", axis.Number(value).c_str());
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
void DrawGuideLine(HDC dc, const WindowRect& client, int32_t value, bool vertical, int32_t thickness, int32_t lineSize,
                   int32_t dpi, const UnitAxis& axis)
{
    const WindowRect line = LineRect(client, value, vertical, thickness, lineSize);
    FillLine(dc, line);

    const std::wstring text = LabelText(value, vertical, axis);
    const int w = client.Width(), h = client.Height(), half = thickness / 2, labelRow = FramePixels(32, dpi);
    if (vertical) {
        RECT top = {line.left, 0, line.right, labelRow};
        DrawTextW(dc, text.c_str(), -1, &top, DT_CENTER | DT_SINGLELINE | DT_NOCLIP);
        RECT bottom = {line.left, h - labelRow, line.right, h};
        DrawTextW(dc, text.c_str(), -1, &bottom, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP);
    } else {
        RECT left = SideLabelBox(line, 0, half);
        DrawTextW(dc, text.c_str(), -1, &left, DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        RECT right = SideLabelBox(line, w - half, w);
        DrawTextW(dc, text.c_str(), -1, &right, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
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

void DrawUnitBarLabels(HDC dc, const ScaleBarStyle& bar, const WindowRect& client, const RulerModel& model,
                       int32_t thickness, int32_t dpi)
{
    const int w = client.Width(), h = client.Height(), half = thickness / 2, labelRow = FramePixels(32, dpi);
    const WindowRect& r = bar.Rect;
    for (const BarLabel& label : UnitBarLabels(dc, bar, client, model, thickness)) {
        const LONG along = static_cast<LONG>((bar.IsHorizontal() ? r.left : r.top) + label.begin);
        RECT box = {};
        UINT format = DT_SINGLELINE | DT_NOCLIP;
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
        DrawTextW(dc, label.text.c_str(), -1, &box, format);
    }
}

} // namespace

void DrawGuideLines(HDC dc, const WindowRect& client, const RulerModel& model, int32_t thickness, int32_t dpi,
                    COLORREF labelBack)
{
    if (model.lines.Empty()) return;
    const RulerOptions& options = model.options;
    GdiObject<HBRUSH> brush(CreateSolidBrush(AsRgb(options.LineColor)));
    SavedDC saved(dc);
    SelectObject(dc, brush.get());
    SetTextColor(dc, AsRgb(options.LineTextColor));
    SetBkColor(dc, labelBack);
    SetBkMode(dc, OPAQUE);
    const bool inPixels = options.DisplayUnit == Unit::Pixels;
    for (bool vertical : {true, false}) {
        const UnitAxis axis = model.Axis((vertical ? client.Width() : client.Height()) - 2 * thickness);
        for (int32_t value : model.lines.Of(vertical)) {
            if (!LineShown(client, value, vertical, thickness)) continue;
            if (inPixels) {
                DrawGuideLine(dc, client, value, vertical, thickness, options.LineSize, dpi, axis);
            } else {
                FillLine(dc, LineRect(client, value, vertical, thickness, options.LineSize));
            }
        }
    }
    if (inPixels) return;
    // A unit's labels are laid out per bar, so that they never overprint each other.
    for (const ScaleBarStyle& bar : model.bars) DrawUnitBarLabels(dc, bar, client, model, thickness, dpi);
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
