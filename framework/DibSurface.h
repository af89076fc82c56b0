#pragma once

#include <windows.h>

// An off-screen device-independent bitmap (bottom-up rows, each a multiple of
// 4 bytes) selected into its own memory DC, so GDI can draw into it and the
// program can read its pixels directly.
class DibSurface {
public:
    DibSurface();
    DibSurface(int width, int height, int bitCount);
    virtual ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    // Replaces whatever the surface held. On failure the surface holds nothing:
    // no DC, no header, no pixels.
    bool Create(int width, int height, int bitCount);
    void Release();

    // The memory DC; null when the surface holds no bitmap.
    HDC GetDC() const { return m_dc; }
    // Copies the whole surface with its top-left corner at (x, y) of target.
    BOOL BlitTo(HDC target, int x, int y) const;
    // Sets every byte of the pixel block, row alignment bytes included.
    void Fill(unsigned char value);
    // A new GMEM_MOVEABLE block in CF_DIB layout (header, then the rows), owned
    // by the caller; null when there are no pixels or no memory.
    HGLOBAL PackDib() const;

    int Width() const;
    int Height() const;
    const BITMAPINFOHEADER* Header() const { return m_info; }
    // Flushes GDI's pending drawing first, so the bytes show everything drawn so far.
    unsigned char* Pixels() const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    BITMAPINFOHEADER* m_info = nullptr; // GPTR global memory
    unsigned char* m_pixels = nullptr;  // owned by m_bitmap
};
