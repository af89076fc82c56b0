#pragma once

// Window-free geometry of the ruler window: guide-line rectangles, the window
// shape, hit-test zones and window targeting. All lengths are screen pixels;
// S is the scale-bar thickness, L the guide-line width.

#include "ruler/WindowRect.h"
#include "ruler/scalebar/ScaleBarStyle.h"

#include <cstdint>
#include <vector>

// The frame (bars, boxes, hit zones, icons) follows the screen's scale; what the
// ruler measures (ticks, numbers, lines, sizes) stays in device pixels. Lengths of
// the frame are given at 96 DPI and scaled at use.
constexpr int32_t kBaseDpi = 96;
// A frame length given at 96 DPI, in device pixels at `dpi` (rounded to nearest).
int32_t FramePixels(int32_t at96, int32_t dpi);

// Side of the move box and of the size grip's square; fixed, whatever S is.
constexpr int32_t kBoxSize = 22;
// Hit-test margins: edge strips resize, the band up to kMoveBand moves the window.
constexpr int32_t kResizeMargin = 8;
constexpr int32_t kMoveBand = 20;
// Crossings of vertical and horizontal guide lines the window shape may hold (each
// adds about one rectangle to it).
constexpr int64_t kMaxLineCrossings = 20000;
// Largest window side a stored rectangle may ask for.
constexpr int32_t kMaxWindowSide = 16384;

// Hit-test codes, equal to the Win32 HT* values; HitDefault means "let the
// default processing decide".
enum HitCode : int {
    HitDefault = -1,
    HitCaption = 2,
    HitLeft = 10,
    HitRight = 11,
    HitTop = 12,
    HitTopLeft = 13,
    HitTopRight = 14,
    HitBottom = 15,
    HitBottomLeft = 16,
    HitBottomRight = 17,
};

// Which list a guide line is in.
enum LineKind : int32_t {
    HotNone = 0,
    HotX = 1, // vertical lines, m_linesX
    HotY = 2, // horizontal lines, m_linesY
};

// Grab zone around a guide line's rectangle, on every side.
constexpr int32_t kLineGrabMargin = 3;

struct LineHit {
    int32_t kind = HotNone;
    int32_t index = -1;
};

// The rectangle of the guide line at `value`, measured from the inner area's
// left (vertical line) or top edge. It is L + 1 wide; the last column or row is
// not painted.
WindowRect LineRect(const WindowRect& client, int32_t value, bool vertical, int32_t scaleSize, int32_t lineSize);

// Lines at or beyond the inner area's width (height) stay listed but are neither
// drawn, nor part of the shape, nor hit.
bool LineShown(const WindowRect& client, int32_t value, bool vertical, int32_t scaleSize);

// The rectangles whose union is the window's shape: the shown bars (each
// extended over the corner square at its end), the top-left and bottom-right
// corner squares, and every shown guide line's part inside the inner area (unless
// the shown lines cross more than kMaxLineCrossings times).
std::vector<WindowRect> RegionRects(const WindowRect& client, const std::vector<ScaleBarStyle>& bars, int32_t scaleSize,
                                    int32_t lineSize, const std::vector<int32_t>& linesX,
                                    const std::vector<int32_t>& linesY);

// The shown guide line under client point (x, y), each line grabbed within
// kLineGrabMargin of its rectangle: the one nearest the point across its painted
// band, and of lines as near the one drawn on top (horizontal lines over vertical
// ones, later indexes over earlier).
LineHit HitTestLineLists(const WindowRect& client, int32_t x, int32_t y, const std::vector<int32_t>& linesX,
                         const std::vector<int32_t>& linesY, int32_t scaleSize, int32_t lineSize);

// A dragged line's coordinate, held to 0 ... W - 2S (or H - 2S).
int32_t ClampLineValue(int64_t value, const WindowRect& client, bool vertical, int32_t scaleSize);

// Where a line added at client point `at` goes: a point on the left or right bar
// adds a horizontal line at its y, on the top or bottom bar a vertical line at
// its x (measured from the inner area); elsewhere kind is HotNone.
struct LineToAdd {
    int32_t kind = HotNone;
    int32_t value = 0;
};
LineToAdd LineAddedAt(const std::vector<ScaleBarStyle>& bars, int32_t x, int32_t y, int32_t scaleSize);

// Hit-test of a screen point against the window rectangle, with the frame's zones
// scaled for `dpi`.
int RulerHitTest(const WindowRect& window, int32_t x, int32_t y, int32_t dpi = kBaseDpi);

// The window rectangle that keeps the inner area (in device pixels) where it is when
// the bars' thickness changes from `oldThickness` to `newThickness`.
WindowRect KeepInnerArea(const WindowRect& window, int32_t oldThickness, int32_t newThickness);

// A right-button release counts as a click (opening the menu) when the press
// point lies at most 4 pixels left of and above the release point, or on it.
bool IsMenuClick(int32_t pressX, int32_t pressY, int32_t releaseX, int32_t releaseY);

// The ruler rectangle that puts `target` exactly into the inner area, the target
// cut to the monitor's size first.
WindowRect FitRulerAround(const WindowRect& target, const WindowRect& monitor, int32_t scaleSize);

// A stored window rectangle made usable: an empty or inverted one gives way to
// `fallback`; sides are limited to kMaxWindowSide.
WindowRect SaneWindowRect(const WindowRect& stored, const WindowRect& fallback);

// `rect` moved (not resized) so that its top-left part lies on `monitor`.
WindowRect MoveOntoMonitor(const WindowRect& rect, const WindowRect& monitor);

// The off-screen surface's size for a client of w x h. A new bitmap's first touch
// costs more than composing the whole image, so during a live resize the surface
// is kept while the client fits in it and is not much smaller; otherwise it is
// made anew, rounded up to kSurfaceStep. Pixels beyond the client are never shown.
constexpr int32_t kSurfaceStep = 128;
struct SurfaceSize {
    int32_t width = 0;
    int32_t height = 0;
};
SurfaceSize SurfaceSizeFor(SurfaceSize current, int32_t w, int32_t h);
