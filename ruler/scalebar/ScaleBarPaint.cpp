#include "ruler/scalebar/ScaleBarStyle.h"

#include "framework/GdiHolders.h"
#include "ruler/scalebar/NumberSpacing.h"
#include "ruler/scalebar/UnitTicks.h"

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

// Writes a unit's numbers in their boxes, aligned as DrawText aligns them, without DrawText:
// in a unit a bar carries several times the numbers it carries in pixels, and measuring
// and placing each through DrawText would cost more than all its ticks. The bar's numbers
// share one alignment, set here for the DC's saved state to take back.
class NumberWriter {
public:
    NumberWriter(HDC dc, uint32_t edge) : m_dc(dc)
    {
        GetTextMetricsW(dc, &m_metrics);
        m_widthsKnown = GetCharWidth32W(dc, kFirst, kLast, m_widths) != FALSE;
        switch (edge) {
        case BarTop: SetTextAlign(dc, TA_CENTER | TA_TOP); break;
        case BarBottom: SetTextAlign(dc, TA_CENTER | TA_BOTTOM); break;
        case BarLeft: SetTextAlign(dc, TA_LEFT | TA_TOP); break;
        default: SetTextAlign(dc, TA_RIGHT | TA_TOP); break;
        }
    }

    int32_t Height() const { return m_metrics.tmHeight; }
    // The text's advance: numbers are written with blanks, digits, '.' and '-' alone.
    int32_t Width(const std::wstring& text) const
    {
        int32_t width = m_metrics.tmOverhang;
        for (wchar_t c : text) {
            if (!m_widthsKnown || c < kFirst || c > kLast) {
                SIZE size = {};
                GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
                return size.cx;
            }
            width += m_widths[c - kFirst];
        }
        return width;
    }

    void Write(const DrawingWindow& window, const NumberBox& box, const std::wstring& text) const
    {
        int64_t x = box.left, y = box.top;
        if (box.format & DT_CENTER) x = (box.left + box.right) / 2;
        if (box.format & DT_RIGHT) x = box.right;
        if (box.format & DT_BOTTOM) y = box.bottom;
        if (box.format & DT_VCENTER) y = (box.top + box.bottom) / 2 - m_metrics.tmHeight / 2;
        ExtTextOutW(m_dc, window.ClampX(x), window.ClampY(y), 0, nullptr, text.c_str(), static_cast<UINT>(text.size()),
                    nullptr);
    }

private:
    static constexpr wchar_t kFirst = L' ', kLast = L'9';
    HDC m_dc;
    TEXTMETRICW m_metrics = {};
    INT m_widths[kLast - kFirst + 1] = {};
    bool m_widthsKnown = false;
};

// A bar's background painted, and the pens of its three tick families ready. The pens and
// brush are declared before the saved state, so they are deleted only after RestoreDC has
// selected them out again.
class BarCanvas {
public:
    BarCanvas(HDC dc, const ScaleBarStyle& bar)
        : m_pens{GdiObject<HPEN>(CreatePen(PS_SOLID, 1, AsRgb(bar.ColorS))),
                 GdiObject<HPEN>(CreatePen(PS_SOLID, 1, AsRgb(bar.ColorM))),
                 GdiObject<HPEN>(CreatePen(PS_SOLID, 1, AsRgb(bar.ColorL)))},
          m_brush(CreateSolidBrush(AsRgb(bar.Back))), m_saved(dc), m_window(DrawingWindowOf(dc))
    {
        SetBkMode(dc, TRANSPARENT);
        SetBkColor(dc, AsRgb(bar.Back));
        SetTextColor(dc, AsRgb(bar.Text));
        // With the null pen Rectangle leaves out its right and bottom edge, so this
        // fills the bar plus one column to its left and one row above it.
        const WindowRect& r = bar.Rect;
        SelectObject(dc, m_brush.get());
        SelectObject(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, m_window.ClampX(int64_t{r.left} - 1), m_window.ClampY(int64_t{r.top} - 1),
                  m_window.ClampX(int64_t{r.right} + 1), m_window.ClampY(int64_t{r.bottom} + 1));
    }

    const DrawingWindow& Window() const { return m_window; }
    HPEN Pen(TickFamily family) const { return m_pens[static_cast<int>(family)].get(); }

private:
    GdiObject<HPEN> m_pens[3];
    GdiObject<HBRUSH> m_brush;
    SavedDC m_saved;
    DrawingWindow m_window;
};

// Along the bar: where it starts and ends on the device, and how thick it is.
struct BarRun {
    int32_t u0, u1;
    int64_t thickness;
};

BarRun RunOf(const TickGeometry& g, const WindowRect& r)
{
    if (g.horizontal) return {r.left, r.right, int64_t{r.bottom} - r.top};
    return {r.top, r.bottom, int64_t{r.right} - r.left};
}

// The set-up both painters share: the bar's background painted and its pens ready, then
// `draw` given where the bar runs, unless the bar is empty or faces no edge.
template <class Draw>
void PaintBar(HDC dc, const ScaleBarStyle& bar, Draw draw)
{
    if (bar.Rect.IsEmpty()) return;
    const BarCanvas canvas(dc, bar);
    const uint32_t edge = bar.Edge();
    if (edge == 0) return;
    const TickGeometry g = TickGeometryOf(edge, bar.Rect);
    draw(canvas, edge, g, RunOf(g, bar.Rect));
}

} // namespace

void ScaleBarStyle::Paint(HDC dc) const
{
    PaintBar(dc, *this, [&](const BarCanvas& canvas, uint32_t edge, const TickGeometry& g, const BarRun& run) {
        const DrawingWindow& window = canvas.Window();
        const auto [u0, u1, thickness] = run;

        // Small, middle, big: each later family paints over the one before.
        SelectObject(dc, canvas.Pen(TickFamily::Small));
        DrawTicks(dc, window, g, u0, u1, ScaleS, thickness / 4);
        SelectObject(dc, canvas.Pen(TickFamily::Middle));
        DrawTicks(dc, window, g, u0, u1, ScaleM, thickness / 3);
        SelectObject(dc, canvas.Pen(TickFamily::Large));
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
    });
}

void ScaleBarStyle::Paint(HDC dc, const UnitAxis& axis, const std::vector<BarSpan>& taken) const
{
    if (axis.GetUnit() == Unit::Pixels) {
        Paint(dc);
        return;
    }
    PaintBar(dc, *this, [&](const BarCanvas& canvas, uint32_t edge, const TickGeometry& g, const BarRun& run) {
        const DrawingWindow& window = canvas.Window();
        const auto [u0, u1, thickness] = run;
        // Offsets from the bar's start that can show, and (wider) whose numbers can.
        const int64_t first = (g.horizontal ? window.left : window.top) - u0;
        const int64_t last = (g.horizontal ? window.right : window.bottom) - 1 - u0;
        const int64_t reach = window.guard / 2;
        const BarMarks marks = UnitBarMarks(axis, {ScaleS, ScaleM, ScaleL}, first - reach, last + reach);

        // Each family in one call: a unit's ticks can be many, and one line each costs more.
        const int64_t lengths[] = {thickness / 4, thickness / 3, thickness / 2};
        std::vector<POINT> ends;
        std::vector<DWORD> counts;
        for (TickFamily family : {TickFamily::Small, TickFamily::Middle, TickFamily::Large}) {
            const int64_t length = lengths[static_cast<int>(family)];
            if (length <= 0) continue;
            ends.clear();
            for (const BarTick& tick : marks.ticks) {
                if (tick.family != family || tick.offset < first || tick.offset > last) continue;
                const int along = static_cast<int>(int64_t{u0} + tick.offset);
                const int64_t end = g.innerEdge + g.towardsOuter * length;
                if (g.horizontal)
                    ends.insert(ends.end(), {{along, window.ClampY(g.innerEdge)}, {along, window.ClampY(end)}});
                else
                    ends.insert(ends.end(), {{window.ClampX(g.innerEdge), along}, {window.ClampX(end), along}});
            }
            if (ends.empty()) continue;
            counts.assign(ends.size() / 2, 2);
            SelectObject(dc, canvas.Pen(family));
            PolyPolyline(dc, ends.data(), counts.data(), static_cast<DWORD>(counts.size()));
        }

        if (!(Flags & BarNumbers)) return;

        // Numbers are written across a vertical bar: there each takes the font's height.
        const NumberWriter writer(dc, edge);
        const TextExtent extent = [&](const std::wstring& text) {
            return g.horizontal ? writer.Width(text) : writer.Height();
        };
        const std::wstring length = axis.Number(int64_t{u1} - u0);
        std::vector<BarSpan> clear = taken;
        clear.push_back(CentredSpan(int64_t{u1} - u0, extent(length)));
        for (const BarNumber& number : SpacedNumbers(marks.numbers, clear, extent))
            writer.Write(window, NumberBoxAt(edge, Rect, thickness, int64_t{u0} + number.offset), number.text);

        SetBkMode(dc, OPAQUE);
        writer.Write(window, NumberBoxAt(edge, Rect, thickness, u1), length);
    });
}
