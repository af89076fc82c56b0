#include "copy/CaptureSurface.h"

CCaptureSurface::CCaptureSurface(int width, int height) : m_width(width), m_height(height)
{
    const CreatedDC display(CreatedDC::Display());
    if (!display.get()) return;
    m_dc.reset(CreateCompatibleDC(display.get()));
    m_bitmap.reset(CreateCompatibleBitmap(display.get(), width, height));
    if (m_dc.get() && m_bitmap.get()) m_old = SelectObject(m_dc.get(), m_bitmap.get());
    if (m_old == HGDI_ERROR) m_old = nullptr;
}

CCaptureSurface::~CCaptureSurface()
{
    if (m_old) SelectObject(m_dc.get(), m_old);
}

bool CCaptureSurface::ReadRows(BITMAPINFOHEADER* header, int first, int count, void* rows) const
{
    if (!m_old) return false;
    SelectObject(m_dc.get(), m_old);
    const int copied = GetDIBits(m_dc.get(), m_bitmap.get(), static_cast<UINT>(first), static_cast<UINT>(count),
                                 rows, reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    SelectObject(m_dc.get(), m_bitmap.get());
    return copied == count;
}
