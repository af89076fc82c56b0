#include "ruler/RulerOptions.h"

#include "profile/ProfileStore.h"

#include <algorithm>
#include <iterator>

const char* const RulerOptions::Section = "CMensuroDlg";

namespace {

void Transfer(ProfileStore& store, bool loading, const char* name, uint32_t& value)
{
    if (loading)
        value = static_cast<uint32_t>(store.ReadInt(RulerOptions::Section, name, static_cast<int>(value)));
    else
        store.WriteInt(RulerOptions::Section, name, static_cast<int>(value));
}

void Transfer(ProfileStore& store, bool loading, const char* name, int32_t& value)
{
    if (loading)
        value = store.ReadInt(RulerOptions::Section, name, value);
    else
        store.WriteInt(RulerOptions::Section, name, value);
}

} // namespace

void RulerOptions::Persist(ProfileStore& store, bool loading)
{
    Transfer(store, loading, "Option", Option);
    Transfer(store, loading, "Flags", Flags);
    Transfer(store, loading, "ScaleSize", ScaleSize);
    Transfer(store, loading, "LineSize", LineSize);
    Transfer(store, loading, "LineColor", LineColor);
    Transfer(store, loading, "LineTextColor", LineTextColor);
    Transfer(store, loading, "CopyTimer", CopyTimer);
    Transfer(store, loading, "CopyOffsetX", CopyOffsetX);
    Transfer(store, loading, "CopyOffsetY", CopyOffsetY);
    // Values of the features beyond the first design, beside the others.
    Transfer(store, loading, "LoupeZoom", LoupeZoom);
    Transfer(store, loading, "EdgeTolerance", EdgeTolerance);
    PersistUnit(store, DisplayUnit, loading);
}

void RulerOptions::Sanitize()
{
    const RulerOptions defaults;
    // Zero or less means the value never came from this program: use the default.
    if (ScaleSize <= 0) ScaleSize = defaults.ScaleSize;
    ScaleSize = std::clamp(ScaleSize, MinScaleSize, MaxScaleSize);
    if (LineSize <= 0) LineSize = defaults.LineSize;
    LineSize = std::min(LineSize, MaxLineSize);
    if (CopyTimer < 0) CopyTimer = defaults.CopyTimer;
    CopyTimer = std::min(CopyTimer, MaxCopyTimer);
    CopyOffsetX = std::clamp(CopyOffsetX, -MaxCopyOffset, MaxCopyOffset);
    CopyOffsetY = std::clamp(CopyOffsetY, -MaxCopyOffset, MaxCopyOffset);
    // Colours are plain COLORREFs: the top byte must be zero or GDI reads a palette index.
    LineColor &= 0x00FFFFFF;
    LineTextColor &= 0x00FFFFFF;
    if (!IsLoupeZoom(LoupeZoom)) LoupeZoom = defaults.LoupeZoom;
    if (EdgeTolerance < 0 || EdgeTolerance > MaxEdgeTolerance) EdgeTolerance = defaults.EdgeTolerance;
}

bool IsLoupeZoom(int32_t zoom)
{
    return std::find(std::begin(kLoupeZooms), std::end(kLoupeZooms), zoom) != std::end(kLoupeZooms);
}
