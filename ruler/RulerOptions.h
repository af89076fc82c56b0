#pragma once

#include "ruler/Units.h"

#include <cstdint>

class ProfileStore;

// Option bits.
enum : uint32_t {
    OptTopmost = 0x001,
    OptTooltip = 0x002,
    OptTaskTray = 0x004,
    OptMenuIcon = 0x008,
    OptIndividual = 0x010,
    OptCopyCursor = 0x100,
    OptCopyScale = 0x200,
    OptCopyMessage = 0x400,
    // Beyond the first design; off unless the user turns them on.
    OptCopyMeasure = 0x800,
    OptLoupe = 0x1000,
    OptSnapEdges = 0x2000,
};

// The Flags bits are the scale bars' edge and numbers bits (ruler/scalebar/ScaleBarStyle.h).

// Sets or clears the bits of `mask` in an option bit set; dialogs change only their own bits.
inline void SetOptionBit(uint32_t& bits, uint32_t mask, bool on)
{
    bits = on ? (bits | mask) : (bits & ~mask);
}

// The ruler window's persisted configuration, kept in section "CMensuroDlg".
struct RulerOptions {
    static const char* const Section;

    uint32_t Option = 0x00F;
    uint32_t Flags = 0x1F1;
    int32_t ScaleSize = 40;
    int32_t LineSize = 1;
    uint32_t LineColor = 0xFFFF00;     // cyan, 0x00BBGGRR
    uint32_t LineTextColor = 0x0000FF; // red
    int32_t CopyTimer = 100;
    int32_t CopyOffsetX = 0;
    int32_t CopyOffsetY = 0;
    int32_t LoupeZoom = 8;           // one of kLoupeZooms
    // The edge finder's tolerance: the largest difference between neighbouring pixels, in
    // levels of one channel, that is no edge by itself (measure/LineEdges.h).
    int32_t EdgeTolerance = 8;
    Unit DisplayUnit = Unit::Pixels; // what the bars, tooltips and readouts show; stored as "Unit"

    // Reads (each value defaulting to its current one) or writes the nine values,
    // in their fixed order, then the values added beyond them. The window rectangle is persisted separately.
    void Persist(ProfileStore& store, bool loading);

    // Brings values that no dialog could have produced and that would break the
    // window (a thickness of zero, a line width of a million) into usable ranges.
    // Sensible values outside the dialogs' lists are kept.
    void Sanitize();
};

// Limits used by Sanitize.
constexpr int32_t MinScaleSize = 4;
constexpr int32_t MaxScaleSize = 500;
constexpr int32_t MaxLineSize = 200;
constexpr int32_t MaxCopyTimer = 600000;
constexpr int32_t MaxCopyOffset = 200;
constexpr int32_t MaxEdgeTolerance = 255;

// The loupe's zoom steps, smallest first.
constexpr int32_t kLoupeZooms[] = {2, 4, 8, 16, 32};
bool IsLoupeZoom(int32_t zoom);
