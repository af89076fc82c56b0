#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A snapshot of a screen rectangle, read the way a user sees it.
class ScreenShot {
public:
    // Captures the screen rectangle (left, top, width, height).
    ScreenShot(int left, int top, int width, int height);

    // Colour at a screen coordinate inside the snapshot, as a COLORREF.
    COLORREF At(int x, int y) const;
    bool Contains(int x, int y) const;
    // Whether both snapshots hold the same rectangle with the same pixels.
    bool SameAs(const ScreenShot& other) const
    {
        return m_left == other.m_left && m_top == other.m_top && m_width == other.m_width &&
               m_height == other.m_height && m_pixels == other.m_pixels;
    }
    // How many pixels of the rectangle (screen coordinates) have the colour.
    int Count(const RECT& rect, COLORREF colour) const;
    // Writes the snapshot as a 32-bit BMP file; false when it cannot be written.
    bool SaveBmp(const wchar_t* path) const;
    int Left() const { return m_left; }
    int Top() const { return m_top; }

private:
    int m_left, m_top, m_width, m_height;
    std::vector<uint32_t> m_pixels; // top-down, 0x00RRGGBB
};

// Colour of one screen pixel.
COLORREF ScreenPixel(int x, int y);
// Handles this thread's window messages until the screen pixel shows the colour, at most
// `timeoutMs`; whether it does.
bool WaitForScreenPixel(int x, int y, COLORREF colour, DWORD timeoutMs = 2000);
