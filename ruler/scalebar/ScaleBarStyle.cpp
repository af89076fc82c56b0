#include "ruler/scalebar/ScaleBarStyle.h"

#include "profile/ProfileStore.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

int32_t Saturate(int64_t v)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Colours and flags are stored through the same integer operations as the
// pitches; the unsigned fields travel as their bit pattern.
template <class Field>
void TransferInt(ProfileStore& store, const char* section, const char* key, Field& field, bool loading)
{
    if (loading)
        field = static_cast<Field>(store.ReadInt(section, key, static_cast<int>(field)));
    else
        store.WriteInt(section, key, static_cast<int>(field));
}

} // namespace

uint32_t ScaleBarStyle::Edge() const
{
    for (uint32_t edge : {BarRight, BarLeft, BarBottom, BarTop})
        if (Flags & edge) return edge;
    return 0;
}

void ScaleBarStyle::Persist(ProfileStore& store, const char* section, bool loading)
{
    TransferInt(store, section, "Flags", Flags, loading);
    TransferInt(store, section, "ScaleS", ScaleS, loading);
    TransferInt(store, section, "ScaleM", ScaleM, loading);
    TransferInt(store, section, "ScaleL", ScaleL, loading);
    TransferInt(store, section, "ColorS", ColorS, loading);
    TransferInt(store, section, "ColorM", ColorM, loading);
    TransferInt(store, section, "ColorL", ColorL, loading);
    TransferInt(store, section, "Back", Back, loading);
    TransferInt(store, section, "Text", Text, loading);
}

void ScaleBarStyle::Layout(uint32_t flags, const WindowRect& client, int32_t thickness)
{
    Flags = flags;
    // 64-bit, so a stored thickness near the integer limits cannot wrap around.
    const int64_t a = thickness;
    const int64_t l = client.left, t = client.top, r = client.right, b = client.bottom;
    struct {
        int64_t left, top, right, bottom;
    } bar = {0, 0, 0, 0};
    switch (Edge()) {
    case BarRight: bar = {r - a, t + a, r, b - a}; break;
    case BarLeft: bar = {l, t + a, l + a, b - a}; break;
    case BarBottom: bar = {l + a, b - a, r - a, b}; break;
    case BarTop: bar = {l + a, t, r - a, t + a}; break;
    default: break;
    }
    // A negative thickness (or a client narrower than two thicknesses) yields an
    // inverted rectangle; APIs that normalise rectangles, CreateRectRgn among them,
    // would turn it into a real area, so such a bar gets the empty rectangle.
    if (bar.right < bar.left || bar.bottom < bar.top)
        Rect = WindowRect();
    else
        Rect = WindowRect(Saturate(bar.left), Saturate(bar.top), Saturate(bar.right), Saturate(bar.bottom));
}

TickRun TicksWithin(int32_t u0, int32_t u1, int32_t pitch, int64_t lo, int64_t hi)
{
    TickRun run;
    if (pitch <= 0) return run;
    // Clamping the window to the bar first keeps every difference below 2^32.
    const int64_t from = std::max<int64_t>(lo, int64_t{u0} + 1);
    const int64_t to = std::min<int64_t>(hi, int64_t{u1} - 1);
    if (to < from) return run;
    const int64_t kFirst = (from - u0 + pitch - 1) / pitch;
    const int64_t kLast = (to - u0) / pitch;
    if (kLast < kFirst) return run;
    run.first = u0 + kFirst * pitch;
    run.step = pitch;
    run.count = kLast - kFirst + 1;
    return run;
}

std::string FormatScaleNumber(int64_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%3lld", static_cast<long long>(value));
    return text;
}

void LayoutScaleBars(std::vector<ScaleBarStyle>& bars, uint32_t flags, const WindowRect& client, int32_t thickness)
{
    bars.resize(BarCount);
    for (size_t i = 0; i < BarCount; ++i) bars[i].Layout(flags & kBarFlagMasks[i], client, thickness);
}

void PersistScaleBars(std::vector<ScaleBarStyle>& bars, ProfileStore& store, bool loading)
{
    bars.resize(BarCount);
    char section[16];
    for (size_t i = 0; i < BarCount; ++i) {
        std::snprintf(section, sizeof(section), "ScaleBar%zu", i + 1);
        bars[i].Persist(store, section, loading);
    }
}
