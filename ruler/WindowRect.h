#pragma once

#include <cstdint>

class ProfileStore;

// Zone codes of WindowRect::ClassifyZone.
enum WindowZone : int {
    ZoneOutside = 0,
    ZoneLeft = 1,
    ZoneRight = 2,
    ZoneTop = 16,
    ZoneTopLeft = 17,
    ZoneTopRight = 18,
    ZoneBottom = 32,
    ZoneBottomLeft = 33,
    ZoneBottomRight = 34,
    ZoneInterior = 255,
};

// A rectangle of 32-bit pixel coordinates; right and bottom are exclusive.
// It is the window-free twin of the Win32 RECT, so geometry can be tested natively.
struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    WindowRect() = default;
    WindowRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Left and top edges are inside, right and bottom edges outside.
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    WindowRect Deflated(int32_t d) const { return {left + d, top + d, right - d, bottom - d}; }
    WindowRect Inflated(int32_t d) const { return Deflated(-d); }
    WindowRect Offset(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const WindowRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const WindowRect& o) const { return !(*this == o); }

    // Which edge strip, corner or the interior the point lies in, with strips
    // `margin` pixels wide.
    int ClassifyZone(int32_t x, int32_t y, int32_t margin) const;

    // Reads or writes the four edges as "LEFT", "RIGHT", "TOP", "BOTTOM";
    // when loading, the current edges are the defaults.
    void Persist(ProfileStore& store, const char* section, bool loading);
};
