#include "ruler/WindowRect.h"

#include "profile/ProfileStore.h"

int WindowRect::ClassifyZone(int32_t x, int32_t y, int32_t m) const
{
    const int32_t l = left, t = top, r = right, b = bottom;
    if (WindowRect(l + m, t + m, r - m, b - m).Contains(x, y)) return ZoneInterior;
    if (WindowRect(l, t, l + m, t + m).Contains(x, y)) return ZoneTopLeft;
    if (WindowRect(l, b - m, l + m, b).Contains(x, y)) return ZoneBottomLeft;
    if (WindowRect(r - m, t, r, t + m).Contains(x, y)) return ZoneTopRight;
    if (WindowRect(r - m, b - m, r, b).Contains(x, y)) return ZoneBottomRight;
    if (WindowRect(l, t + m, r - m, b - m).Contains(x, y)) return ZoneLeft;
    if (WindowRect(l, t + m, r, b - m).Contains(x, y)) return ZoneRight;
    if (WindowRect(l, t, r, b - m).Contains(x, y)) return ZoneTop;
    if (WindowRect(l, t, r, b).Contains(x, y)) return ZoneBottom;
    return ZoneOutside;
}

void WindowRect::Persist(ProfileStore& store, const char* section, bool loading)
{
    if (loading) {
        left = store.ReadInt(section, "LEFT", left);
        right = store.ReadInt(section, "RIGHT", right);
        top = store.ReadInt(section, "TOP", top);
        bottom = store.ReadInt(section, "BOTTOM", bottom);
    } else {
        store.WriteInt(section, "LEFT", left);
        store.WriteInt(section, "RIGHT", right);
        store.WriteInt(section, "TOP", top);
        store.WriteInt(section, "BOTTOM", bottom);
    }
}
