#include "ruler/Geometry.h"

#include <algorithm>
#include <climits>

namespace {

// Far beyond any screen, yet with room to grow a rectangle by a margin: a line
// coordinate from a template file can be anything a 32-bit number holds.
constexpr int64_t kCoordLimit = int64_t(1) << 30;

int32_t Clamped(int64_t v)
{
    return static_cast<int32_t>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

// The first painted column (row) of the line at `value`.
int64_t LineStart(int32_t value, int32_t s, int32_t l)
{
    return int64_t(s) + value - l / 2;
}

} // namespace

WindowRect LineRect(const WindowRect& client, int32_t value, bool vertical, int32_t s, int32_t l)
{
    const int32_t from = Clamped(LineStart(value, s, l));
    const int32_t to = Clamped(int64_t(s) + value + l / 2 + l % 2 + 1);
    if (vertical) return {from, s / 2, to, client.Height() - s / 2};
    return {s / 2, from, client.Width() - s / 2, to};
}

bool LineShown(const WindowRect& client, int32_t value, bool vertical, int32_t s)
{
    return value < (vertical ? client.Width() : client.Height()) - 2 * s;
}

std::vector<WindowRect> RegionRects(const WindowRect& client, const std::vector<ScaleBarStyle>& bars, int32_t s,
                                    int32_t l, const std::vector<int32_t>& linesX, const std::vector<int32_t>& linesY)
{
    const int32_t w = client.Width(), h = client.Height();
    std::vector<WindowRect> rects;
    rects.reserve(bars.size() + 2 + linesX.size() + linesY.size());
    for (const ScaleBarStyle& bar : bars) {
        if (bar.Rect.IsEmpty()) continue;
        WindowRect r = bar.Rect;
        // Each bar also covers the corner square at its far end.
        if (bar.IsVertical())
            r.bottom += s;
        else
            r.right += s;
        rects.push_back(r);
    }
    rects.push_back({0, 0, s, s});
    rects.push_back({w - s, h - s, w, h});
    // Every crossing of a vertical and a horizontal line splits the shape into more
    // rectangles; past the limit the window system cannot take the shape (Wine on X
    // ends the program), so the lines then stay out of the see-through area.
    int64_t shownX = 0, shownY = 0;
    for (int32_t x : linesX) shownX += LineShown(client, x, true, s);
    for (int32_t y : linesY) shownY += LineShown(client, y, false, s);
    if (shownX * shownY > kMaxLineCrossings) return rects;
    for (int32_t x : linesX) {
        if (!LineShown(client, x, true, s)) continue;
        const int32_t from = Clamped(LineStart(x, s, l));
        rects.push_back({from, s, Clamped(int64_t(from) + l), h - s});
    }
    for (int32_t y : linesY) {
        if (!LineShown(client, y, false, s)) continue;
        const int32_t from = Clamped(LineStart(y, s, l));
        rects.push_back({s, from, w - s, Clamped(int64_t(from) + l)});
    }
    return rects;
}

LineHit HitTestLineLists(const WindowRect& client, int32_t x, int32_t y, const std::vector<int32_t>& linesX,
                         const std::vector<int32_t>& linesY, int32_t s, int32_t l)
{
    // Lines not shown are not part of the window either, so they cannot be grabbed. Of the
    // lines within reach the nearest to its painted band wins; on a tie the one drawn last,
    // which is on top: horizontal lines are drawn after vertical ones, each list in order.
    const std::vector<int32_t>* lists[2] = {&linesX, &linesY};
    LineHit best;
    int64_t bestDistance = 0;
    for (int k = 0; k < 2; ++k) {
        const bool vertical = k == 0;
        const std::vector<int32_t>& lines = *lists[k];
        const int64_t across = vertical ? x : y;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (!LineShown(client, lines[i], vertical, s)) continue;
            if (!LineRect(client, lines[i], vertical, s, l).Inflated(kLineGrabMargin).Contains(x, y)) continue;
            const int64_t first = LineStart(lines[i], s, l), last = first + std::max(l, 1) - 1;
            const int64_t distance = across < first ? first - across : across > last ? across - last : 0;
            if (best.kind != HotNone && distance > bestDistance) continue;
            best = {vertical ? HotX : HotY, static_cast<int32_t>(i)};
            bestDistance = distance;
        }
    }
    return best;
}

int32_t ClampLineValue(int64_t value, const WindowRect& client, bool vertical, int32_t s)
{
    const int64_t limit = int64_t(vertical ? client.Width() : client.Height()) - 2 * int64_t(s);
    // Below 0 first, so a window narrower than 2S still gives 0.
    return static_cast<int32_t>(std::max<int64_t>(std::min(value, limit), 0));
}

LineToAdd LineAddedAt(const std::vector<ScaleBarStyle>& bars, int32_t x, int32_t y, int32_t s)
{
    auto onBar = [&](size_t i) { return i < bars.size() && bars[i].Rect.Contains(x, y); };
    if (onBar(2) || onBar(3)) return {HotY, Clamped(int64_t(y) - s)};
    if (onBar(0) || onBar(1)) return {HotX, Clamped(int64_t(x) - s)};
    return {};
}

int32_t FramePixels(int32_t at96, int32_t dpi)
{
    const int64_t scaled = (int64_t(at96) * dpi + (at96 >= 0 ? kBaseDpi / 2 : -kBaseDpi / 2)) / kBaseDpi;
    return static_cast<int32_t>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

int RulerHitTest(const WindowRect& window, int32_t x, int32_t y, int32_t dpi)
{
    const WindowRect& r = window;
    const int32_t box = FramePixels(kBoxSize, dpi);
    if (WindowRect(r.right - box, r.bottom - box, r.right, r.bottom).Contains(x, y)) return HitBottomRight;
    if (WindowRect(r.left, r.top, r.left + box, r.top + box).Contains(x, y)) return HitCaption;
    switch (r.ClassifyZone(x, y, FramePixels(kResizeMargin, dpi))) {
    case ZoneLeft: return HitLeft;
    case ZoneRight: return HitRight;
    case ZoneTop: return HitTop;
    case ZoneTopLeft: return HitTopLeft;
    case ZoneTopRight: return HitTopRight;
    case ZoneBottom: return HitBottom;
    case ZoneBottomLeft: return HitBottomLeft;
    case ZoneBottomRight: return HitBottomRight;
    case ZoneInterior: return r.Deflated(FramePixels(kMoveBand, dpi)).Contains(x, y) ? HitDefault : HitCaption;
    default: return HitDefault;
    }
}

bool IsMenuClick(int32_t pressX, int32_t pressY, int32_t releaseX, int32_t releaseY)
{
    return WindowRect(releaseX, releaseY, releaseX + 5, releaseY + 5).Contains(pressX, pressY);
}

WindowRect FitRulerAround(const WindowRect& target, const WindowRect& monitor, int32_t s)
{
    WindowRect t = target;
    if (t.Width() > monitor.Width()) t.right = t.left + monitor.Width();
    if (t.Height() > monitor.Height()) t.bottom = t.top + monitor.Height();
    return {t.left - s, t.top - s, t.right + s, t.bottom + s};
}

WindowRect SaneWindowRect(const WindowRect& stored, const WindowRect& fallback)
{
    WindowRect r = stored.IsEmpty() ? fallback : stored;
    // 64-bit: a stored left of INT32_MIN and right of INT32_MAX must not overflow.
    const int64_t width = std::min<int64_t>(int64_t(r.right) - r.left, kMaxWindowSide);
    const int64_t height = std::min<int64_t>(int64_t(r.bottom) - r.top, kMaxWindowSide);
    // Far beyond any desktop; keeps every edge representable.
    constexpr int32_t kFar = 1 << 24;
    r.left = std::clamp(r.left, -kFar, kFar);
    r.top = std::clamp(r.top, -kFar, kFar);
    r.right = static_cast<int32_t>(r.left + width);
    r.bottom = static_cast<int32_t>(r.top + height);
    return r;
}

WindowRect MoveOntoMonitor(const WindowRect& rect, const WindowRect& monitor)
{
    // Keep as much of the window on the monitor as fits, the top-left corner first,
    // so that the move box can always be reached.
    const int64_t w = int64_t(rect.right) - rect.left, h = int64_t(rect.bottom) - rect.top;
    int64_t left = std::max<int64_t>(std::min<int64_t>(rect.left, int64_t(monitor.right) - w), monitor.left);
    int64_t top = std::max<int64_t>(std::min<int64_t>(rect.top, int64_t(monitor.bottom) - h), monitor.top);
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + w),
            static_cast<int32_t>(top + h)};
}

SurfaceSize SurfaceSizeFor(SurfaceSize current, int32_t w, int32_t h)
{
    if (w <= 0 || h <= 0) return current; // minimised: nothing to draw
    auto fits = [](int32_t have, int32_t want) { return have >= want && have <= 2 * int64_t(want) + kSurfaceStep; };
    if (fits(current.width, w) && fits(current.height, h)) return current;
    auto roundUp = [](int32_t v) {
        return static_cast<int32_t>(
            std::min<int64_t>((int64_t(v) + kSurfaceStep - 1) / kSurfaceStep * kSurfaceStep, INT32_MAX));
    };
    return {roundUp(w), roundUp(h)};
}

WindowRect KeepInnerArea(const WindowRect& window, int32_t oldThickness, int32_t newThickness)
{
    const int64_t d = int64_t(newThickness) - oldThickness;
    auto edge = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {edge(window.left - d), edge(window.top - d), edge(window.right + d), edge(window.bottom + d)};
}
