#pragma once

#include "framework/GdiHolders.h"
#include "framework/Handles.h"

#include <windows.h>

// A bitmap in the display's own format, selected into its own DC for one picture: the
// screen copies into it without a conversion. Made for each picture: one kept between
// copies saved nothing measurable and held megabytes for the program's whole run. The
// clipboard's promised PNG keeps the one of the picture it promises and encodes from it.
class CCaptureSurface {
public:
    CCaptureSurface(int width, int height);
    // The bitmap leaves the DC before the DC goes.
    ~CCaptureSurface();
    CCaptureSurface(const CCaptureSurface&) = delete;
    CCaptureSurface& operator=(const CCaptureSurface&) = delete;

    // Null unless the bitmap is selected into the DC.
    HDC DC() const { return m_old ? m_dc.get() : nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Copies `count` rows, starting `first` rows up from the bottom, out as a bottom-up DIB
    // of the whole height described by `header` (GetDIBits wants the bitmap out of any DC
    // while it reads); true when every row asked for arrived.
    bool ReadRows(BITMAPINFOHEADER* header, int first, int count, void* rows) const;

private:
    int m_width;
    int m_height;
    // Members go in reverse order: the DC is deleted before the bitmap it held.
    GdiObject<HBITMAP> m_bitmap;
    MemoryDC m_dc;
    HGDIOBJ m_old = nullptr;
};
