#include "ruler/GuideLinePaint.h"

#include "framework/GdiHolders.h"
#include "ruler/Geometry.h"

#include <cwchar>

namespace {

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

void DrawGuideLine(HDC dc, const WindowRect& client, int32_t value, bool vertical, int32_t thickness, int32_t lineSize,
                   int32_t dpi, const UnitAxis& axis)
{
    const WindowRect line = LineRect(client, value, vertical, thickness, lineSize);
    // With the null pen, Rectangle leaves out the last column and row: exactly L pixels.
    Rectangle(dc, line.left, line.top, line.right, line.bottom);

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

} // namespace

void DrawGuideLines(HDC dc, const WindowRect& client, const RulerModel& model, int32_t thickness, int32_t dpi,
                    COLORREF labelBack)
{
    if (model.lines.Empty()) return;
    const RulerOptions& options = model.options;
    GdiObject<HBRUSH> brush(CreateSolidBrush(AsRgb(options.LineColor)));
    SavedDC saved(dc);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, brush.get());
    SetTextColor(dc, AsRgb(options.LineTextColor));
    SetBkColor(dc, labelBack);
    SetBkMode(dc, OPAQUE);
    for (bool vertical : {true, false}) {
        const UnitAxis axis = model.Axis((vertical ? client.Width() : client.Height()) - 2 * thickness);
        for (int32_t value : model.lines.Of(vertical))
            if (LineShown(client, value, vertical, thickness))
                DrawGuideLine(dc, client, value, vertical, thickness, options.LineSize, dpi, axis);
    }
}

std::vector<BarSpan> LineLabelSpans(HDC dc, const ScaleBarStyle& bar, const WindowRect& client, const RulerModel& model,
                                    int32_t thickness)
{
    std::vector<BarSpan> spans;
    if (!bar.IsHorizontal() && !bar.IsVertical()) return spans;
    // A horizontal bar carries the vertical lines' labels.
    const bool vertical = bar.IsHorizontal();
    const UnitAxis axis = model.Axis((vertical ? client.Width() : client.Height()) - 2 * thickness);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    for (int32_t value : model.lines.Of(vertical)) {
        if (!LineShown(client, value, vertical, thickness)) continue;
        const WindowRect line = LineRect(client, value, vertical, thickness, model.options.LineSize);
        // Where DT_CENTER and DT_VCENTER put the text.
        if (vertical) {
            const std::wstring text = LabelText(value, true, axis);
            SIZE size = {};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            const int64_t left = line.left + (line.Width() - size.cx) / 2 - int64_t{bar.Rect.left};
            spans.push_back({left, left + size.cx});
        } else {
            const RECT box = SideLabelBox(line, 0, thickness / 2);
            const int64_t top = box.top + (box.bottom - box.top - metrics.tmHeight) / 2 - int64_t{bar.Rect.top};
            spans.push_back({top, top + metrics.tmHeight});
        }
    }
    return spans;
}
