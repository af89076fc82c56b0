#include "framework/DibSurface.h"

#include "framework/DibLayout.h"

#include <cstring>

DibSurface::DibSurface() = default;

DibSurface::DibSurface(int width, int height, int bitCount)
{
    Create(width, height, bitCount);
}

DibSurface::~DibSurface()
{
    Release();
}

bool DibSurface::Create(int width, int height, int bitCount)
{
    Release();
    // Sizes whose image size would not fit the header, or that GDI cannot
    // address, are refused before anything is allocated.
    DibLayout layout;
    if (!ComputeDibLayout(width, height, bitCount, layout)) return false;

    m_info = static_cast<BITMAPINFOHEADER*>(GlobalAlloc(GPTR, sizeof(BITMAPINFOHEADER)));
    if (!m_info) return false;
    m_info->biSize = sizeof(BITMAPINFOHEADER);
    m_info->biWidth = layout.width;
    m_info->biHeight = layout.height; // positive: bottom-up rows
    m_info->biPlanes = 1;
    m_info->biBitCount = static_cast<WORD>(layout.bitCount);
    m_info->biCompression = BI_RGB;
    m_info->biSizeImage = layout.imageSize;

    m_dc = CreateCompatibleDC(nullptr);
    const HWND desktop = GetDesktopWindow();
    const HDC screen = ::GetDC(desktop);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(m_info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(desktop, screen);
    if (m_dc && m_bitmap && bits) {
        const HGDIOBJ old = SelectObject(m_dc, m_bitmap);
        if (old && old != HGDI_ERROR) {
            m_oldBitmap = old;
            m_pixels = static_cast<unsigned char*>(bits);
            return true;
        }
    }
    // A half-made surface would offer a DC that draws nowhere; drop it all.
    Release();
    return false;
}

void DibSurface::Release()
{
    if (m_dc) {
        if (m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
    }
    if (m_bitmap) DeleteObject(m_bitmap);
    if (m_info) GlobalFree(m_info);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_info = nullptr;
    m_pixels = nullptr;
}

int DibSurface::Width() const
{
    return m_pixels ? m_info->biWidth : 0;
}

int DibSurface::Height() const
{
    return m_pixels ? m_info->biHeight : 0;
}

unsigned char* DibSurface::Pixels() const
{
    if (m_pixels) GdiFlush();
    return m_pixels;
}

BOOL DibSurface::BlitTo(HDC target, int x, int y) const
{
    if (!m_pixels) return FALSE;
    SetViewportOrgEx(m_dc, 0, 0, nullptr);
    return BitBlt(target, x, y, Width(), Height(), m_dc, 0, 0, SRCCOPY);
}

void DibSurface::Fill(unsigned char value)
{
    if (!m_pixels) return;
    // Drawing still queued by GDI would otherwise land on top of the fill later.
    GdiFlush();
    std::memset(m_pixels, value, m_info->biSizeImage);
}

HGLOBAL DibSurface::PackDib() const
{
    if (!m_pixels) return nullptr;
    const SIZE_T imageSize = m_info->biSizeImage;
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + imageSize);
    if (!block) return nullptr;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    GdiFlush();
    std::memcpy(bytes, m_info, sizeof(BITMAPINFOHEADER));
    std::memcpy(bytes + sizeof(BITMAPINFOHEADER), m_pixels, imageSize);
    GlobalUnlock(block);
    return block;
}
