#include "scalebar/ScaleBarStyle.h"

#include "framework/GdiHolders.h"

#include <algorithm>
#include <string>

namespace {

// The part of the device the painter can change, plus a guard band wider than
// any label. Bars, ticks and labels beyond it cannot show, so they are skipped
// or pulled onto the band's edge: the work then depends on what is visible,
// not on the bar's length, and no coordinate handed to GDI is near overflow.
struct DrawingWindow {
    int64_t left, top, right, bottom; // clip box, right and bottom exclusive
    int64_t guard;

    int ClampX(int64_t x) const { return static_cast<int>(std::clamp(x, left - guard, right + guard)); }
    int ClampY(int64_t y) const { return static_cast<int>(std::clamp(y, top - guard, bottom + guard)); }
};

DrawingWindow DrawingWindowOf(HDC dc)
{
    // Labels are at most ten characters; the band must hold a label's extent
    // on both sides of its anchor plus the 64-pixel half box around it.
    int64_t labelExtent = 4096;
    TEXTMETRICW tm = {};
    if (GetTextMetricsW(dc, &tm)) labelExtent = 10 * int64_t{tm.tmMaxCharWidth} + tm.tmOverhang + tm.tmHeight;
    const int64_t guard = 2 * (std::clamp<int64_t>(labelExtent, 0, 1 << 20) + 64) + 2;

    // Within 2^30, so the band's edges still fit an int.
    const int64_t limit = (int64_t{1} << 30);
    RECT clip = {};
    if (GetClipBox(dc, &clip) == ERROR) return {-limit, -limit, limit, limit, guard};
    auto bound = [limit](int64_t v) { return std::clamp(v, -limit, limit); };
    return {bound(clip.left), bound(clip.top), bound(clip.right), bound(clip.bottom), guard};
}

// Where ticks start and which way they grow, for one bar.
struct TickGeometry {
    bool horizontal;
    int64_t innerEdge;    // coordinate across the bar where every tick starts
    int64_t towardsOuter; // -1 or +1
};

TickGeometry TickGeometryOf(uint32_t edge, const WindowRect& r)
{
    switch (edge) {
    case BarTop: return {true, r.bottom, -1};
    case BarBottom: return {true, r.top, +1};
    case BarLeft: return {false, r.right, -1};
    default: return {false, r.left, +1};
    }
}

void DrawTicks(HDC dc, const DrawingWindow& window, const TickGeometry& g, int32_t u0, int32_t u1, int32_t pitch,
               int64_t length)
{
    if (length <= 0) return;
    const int64_t end = g.innerEdge + g.towardsOuter * length;
    const TickRun run = g.horizontal ? TicksWithin(u0, u1, pitch, window.left, window.right - 1)
                                     : TicksWithin(u0, u1, pitch, window.top, window.bottom - 1);
    for (int64_t i = 0; i < run.count; ++i) {
        const int64_t u = run.At(i);
        if (g.horizontal) {
            MoveToEx(dc, static_cast<int>(u), window.ClampY(g.innerEdge), nullptr);
            LineTo(dc, static_cast<int>(u), window.ClampY(end));
        } else {
            MoveToEx(dc, window.ClampX(g.innerEdge), static_cast<int>(u), nullptr);
            LineTo(dc, window.ClampX(end), static_cast<int>(u));
        }
    }
}

// The box a number at run position u is drawn into, and its DrawText format.
struct NumberBox {
    int64_t left, top, right, bottom;
    UINT format;
};

NumberBox NumberBoxAt(uint32_t edge, const WindowRect& r, int64_t thickness, int64_t u)
{
    const UINT common = DT_SINGLELINE | DT_NOCLIP;
    switch (edge) {
    case BarTop: return {u - 64, r.top, u + 64, r.bottom - thickness / 2, DT_CENTER | DT_TOP | common};
    case BarBottom: return {u - 64, r.top + thickness / 2, u + 64, r.bottom, DT_CENTER | DT_BOTTOM | common};
    case BarLeft:
        return {int64_t{r.left} + 2, u - 62, r.right - thickness / 2 - 2, u + 62, DT_LEFT | DT_VCENTER | common};
    default: return {r.left + thickness / 2 + 2, u - 62, int64_t{r.right} - 2, u + 62, DT_RIGHT | DT_VCENTER | common};
    }
}

void DrawNumber(HDC dc, const DrawingWindow& window, const NumberBox& box, int64_t value)
{
    const std::string text = FormatScaleNumber(value);
    const std::wstring wide(text.begin(), text.end());
    RECT rc = {window.ClampX(box.left), window.ClampY(box.top), window.ClampX(box.right), window.ClampY(box.bottom)};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rc, box.format);
}

} // namespace

void ScaleBarStyle::Paint(HDC dc) const
{
    if (Rect.IsEmpty()) return;

    // Declared before the saved state, so they are deleted only after RestoreDC
    // has selected them out again.
    GdiObject<HPEN> penS(CreatePen(PS_SOLID, 1, AsRgb(ColorS)));
    GdiObject<HPEN> penM(CreatePen(PS_SOLID, 1, AsRgb(ColorM)));
    GdiObject<HPEN> penL(CreatePen(PS_SOLID, 1, AsRgb(ColorL)));
    GdiObject<HBRUSH> brush(CreateSolidBrush(AsRgb(Back)));
    SavedDC saved(dc);

    const DrawingWindow window = DrawingWindowOf(dc);
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, AsRgb(Back));
    SetTextColor(dc, AsRgb(Text));

    // With the null pen Rectangle leaves out its right and bottom edge, so this
    // fills the bar plus one column to its left and one row above it.
    SelectObject(dc, brush.get());
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, window.ClampX(int64_t{Rect.left} - 1), window.ClampY(int64_t{Rect.top} - 1),
              window.ClampX(int64_t{Rect.right} + 1), window.ClampY(int64_t{Rect.bottom} + 1));

    const uint32_t edge = Edge();
    if (edge == 0) return;

    const TickGeometry g = TickGeometryOf(edge, Rect);
    const int32_t u0 = g.horizontal ? Rect.left : Rect.top;
    const int32_t u1 = g.horizontal ? Rect.right : Rect.bottom;
    const int64_t thickness = g.horizontal ? int64_t{Rect.bottom} - Rect.top : int64_t{Rect.right} - Rect.left;

    // Small, middle, big: each later family paints over the one before.
    SelectObject(dc, penS.get());
    DrawTicks(dc, window, g, u0, u1, ScaleS, thickness / 4);
    SelectObject(dc, penM.get());
    DrawTicks(dc, window, g, u0, u1, ScaleM, thickness / 3);
    SelectObject(dc, penL.get());
    DrawTicks(dc, window, g, u0, u1, ScaleL, thickness / 2);

    if (!(Flags & BarNumbers)) return;

    const int64_t reach = window.guard / 2;
    const TickRun numbers = g.horizontal ? TicksWithin(u0, u1, ScaleL, window.left - reach, window.right + reach)
                                         : TicksWithin(u0, u1, ScaleL, window.top - reach, window.bottom + reach);
    for (int64_t i = 0; i < numbers.count; ++i) {
        const int64_t u = numbers.At(i);
        DrawNumber(dc, window, NumberBoxAt(edge, Rect, thickness, u), u - u0);
    }

    // The length label is opaque, so it covers the ticks and any number beneath it.
    SetBkMode(dc, OPAQUE);
    DrawNumber(dc, window, NumberBoxAt(edge, Rect, thickness, u1), int64_t{u1} - u0);
}
