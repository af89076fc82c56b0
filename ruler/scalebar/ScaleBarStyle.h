#pragma once

#include "ruler/WindowRect.h"

#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

// A stored colour with a high byte would be taken by GDI as a palette reference.
inline COLORREF AsRgb(uint32_t colour)
{
    return colour & 0x00FFFFFF;
}
#endif

class ProfileStore;
class UnitAxis;
struct BarSpan;

// Edge and numbers bits of ScaleBarStyle::Flags; the ruler's Flags option holds
// the same bits, one edge bit per shown bar.
enum : uint32_t {
    BarReserved = 0x001,
    BarRight = 0x010,
    BarLeft = 0x020,
    BarBottom = 0x040,
    BarTop = 0x080,
    BarNumbers = 0x100,
};

// The ruler's bars, in the order of its array, of the "ScaleBar1" to "ScaleBar4"
// sections and of the Settings dialog's tabs.
enum : int {
    TopBar = 0,
    BottomBar = 1,
    LeftBar = 2,
    RightBar = 3,
    BarCount = 4,
};

// The bits of the ruler's Flags that each bar takes: its own edge bit, the numbers
// bit and the reserved bit.
constexpr uint32_t kBarFlagMasks[BarCount] = {
    BarTop | BarNumbers | BarReserved,
    BarBottom | BarNumbers | BarReserved,
    BarLeft | BarNumbers | BarReserved,
    BarRight | BarNumbers | BarReserved,
};
constexpr uint32_t kAllBarEdges = BarTop | BarBottom | BarLeft | BarRight;

// One scale bar: where it lies, whether it carries numbers, its tick pitches and colours.
struct ScaleBarStyle {
    WindowRect Rect; // client coordinates; empty when the bar is hidden
    uint32_t Flags = 0x011;
    int32_t ScaleS = 5;
    int32_t ScaleM = 50;
    int32_t ScaleL = 100;
    uint32_t ColorS = 0x000000;
    uint32_t ColorM = 0xFF00FF;
    uint32_t ColorL = 0x0000FF;
    uint32_t Back = 0xFFFFFF;
    uint32_t Text = 0x808080;

    // The edge bit that counts when several are set (right, left, bottom, top), or 0.
    uint32_t Edge() const;
    bool IsHorizontal() const { return (Flags & (BarTop | BarBottom)) != 0; }
    bool IsVertical() const { return (Flags & (BarLeft | BarRight)) != 0; }

    // Reads (current values as defaults) or writes the nine stored values.
    void Persist(ProfileStore& store, const char* section, bool loading);
    // Takes the flags and places the bar along its edge of `client`, `thickness` wide.
    void Layout(uint32_t flags, const WindowRect& client, int32_t thickness);

#ifdef _WIN32
    // Background, ticks and numbers in device pixels, in the font selected into dc.
    void Paint(HDC dc) const;
    // The same in the unit of `axis` (as long as the bar), its numbers kept clear of the
    // `taken` stretches (offsets from the bar's start) and of the bar's length; in Pixels
    // exactly the painting above.
    void Paint(HDC dc, const UnitAxis& axis, const std::vector<BarSpan>& taken) const;
#endif
};

// Reads or writes the four bars in their sections "ScaleBar1" to "ScaleBar4".
void PersistScaleBars(std::vector<ScaleBarStyle>& bars, ProfileStore& store, bool loading);

// Lays the four bars (0 top, 1 bottom, 2 left, 3 right) out from the ruler's Flags.
void LayoutScaleBars(std::vector<ScaleBarStyle>& bars, uint32_t flags, const WindowRect& client, int32_t thickness);

// Positions u0 + k * pitch (k = 1, 2, ...) that lie before u1 and within [lo, hi]:
// the ticks or numbers of one family that can show in a visible span. A pitch of
// 0 or less yields none, so stored nonsense cannot make a painter loop forever.
struct TickRun {
    int64_t first = 0;
    int64_t step = 0;
    int64_t count = 0;
    int64_t At(int64_t i) const { return first + i * step; }
};
TickRun TicksWithin(int32_t u0, int32_t u1, int32_t pitch, int64_t lo, int64_t hi);

// A scale value as the bar shows it: "%3d", padded to at least three characters.
std::string FormatScaleNumber(int64_t value);
