#include "support/ScreenProbe.h"

ScreenShot::ScreenShot(int left, int top, int width, int height)
    : m_left(left), m_top(top), m_width(width), m_height(height),
      m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height))
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    memcpy(m_pixels.data(), bits, m_pixels.size() * sizeof(uint32_t));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

bool ScreenShot::Contains(int x, int y) const
{
    return x >= m_left && y >= m_top && x < m_left + m_width && y < m_top + m_height;
}

COLORREF ScreenShot::At(int x, int y) const
{
    if (!Contains(x, y)) return CLR_INVALID;
    const uint32_t p = m_pixels[static_cast<size_t>(y - m_top) * m_width + (x - m_left)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int ScreenShot::Count(const RECT& rect, COLORREF colour) const
{
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (At(x, y) == colour) ++n;
    return n;
}

COLORREF ScreenPixel(int x, int y)
{
    return ScreenShot(x, y, 1, 1).At(x, y);
}

bool ScreenShot::SaveBmp(const wchar_t* path) const
{
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = m_width;
    info.biHeight = -m_height; // top-down, as captured
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD imageSize = static_cast<DWORD>(m_pixels.size() * sizeof(uint32_t));
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + imageSize;
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) && written == sizeof(file);
    ok = ok && WriteFile(out, &info, sizeof(info), &written, nullptr) && written == sizeof(info);
    // Opaque: GDI leaves the fourth byte as it finds it, and viewers read it as alpha.
    std::vector<uint32_t> opaque(m_pixels);
    for (uint32_t& p : opaque) p |= 0xFF000000u;
    ok = ok && WriteFile(out, opaque.data(), imageSize, &written, nullptr) && written == imageSize;
    CloseHandle(out);
    return ok;
}

bool WaitForScreenPixel(int x, int y, COLORREF colour, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (ScreenPixel(x, y) == colour) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}
