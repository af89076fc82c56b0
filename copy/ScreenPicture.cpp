#include "copy/ScreenPicture.h"

#include "copy/CopyRules.h"
#include "copy/DimensionBands.h"
#include "copy/ScreenGrab.h"
#include "framework/DibLayout.h"
#include "framework/GdiHolders.h"
#include "framework/Handles.h"

#include <cstring>

namespace {

// The cursor the user sees now, whichever program set it; null when hidden.
HCURSOR CurrentCursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetCursorInfo(&info)) return GetCursor();
    if (!(info.flags & CURSOR_SHOWING)) return nullptr;
    // Some systems name no cursor for the screen as a whole; this thread's is the next best.
    return info.hCursor ? info.hCursor : GetCursor();
}

void DrawCursor(HDC dc, const PictureContent& content)
{
    const HCURSOR cursor = CurrentCursor();
    POINT pointer = {};
    if (!cursor || !GetCursorPos(&pointer)) return;
    const CapturePoint at = CursorImageOrigin({pointer.x, pointer.y}, content.offsetX, content.offsetY, content.area);
    // DrawIcon draws at the system's icon size; the bands are drawn after it and cover
    // whatever of the image falls outside the screen part.
    DrawIcon(dc, at.x, at.y, cursor);
}

void WriteDibHeader(BITMAPINFOHEADER& header, const DibLayout& layout)
{
    header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = layout.width;
    header.biHeight = layout.height; // positive: bottom-up rows
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(layout.bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = layout.imageSize;
}

// A bitmap in the display's own format, selected into its own DC for one picture: the
// screen copies into it without a conversion. Made for each picture: one kept between
// copies saved nothing measurable and held megabytes for the program's whole run.
class CaptureSurface {
public:
    CaptureSurface(int width, int height)
    {
        const CreatedDC display(CreatedDC::Display());
        if (!display.get()) return;
        m_dc.reset(CreateCompatibleDC(display.get()));
        m_bitmap.reset(CreateCompatibleBitmap(display.get(), width, height));
        if (m_dc.get() && m_bitmap.get()) m_old = SelectObject(m_dc.get(), m_bitmap.get());
        if (m_old == HGDI_ERROR) m_old = nullptr;
    }
    // The bitmap leaves the DC before the DC goes.
    ~CaptureSurface()
    {
        if (m_old) SelectObject(m_dc.get(), m_old);
    }
    CaptureSurface(const CaptureSurface&) = delete;
    CaptureSurface& operator=(const CaptureSurface&) = delete;

    // Null unless the bitmap is selected into the DC.
    HDC DC() const { return m_old ? m_dc.get() : nullptr; }
    // Copies the rows out as a bottom-up DIB described by `header` (GetDIBits wants the
    // bitmap out of any DC while it reads); true when every row arrived.
    bool ReadRows(BITMAPINFOHEADER* header, void* rows) const
    {
        SelectObject(m_dc.get(), m_old);
        const int copied = GetDIBits(m_dc.get(), m_bitmap.get(), 0, static_cast<UINT>(header->biHeight), rows,
                                     reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
        SelectObject(m_dc.get(), m_bitmap.get());
        return copied == header->biHeight;
    }

private:
    // Members go in reverse order: the DC is deleted before the bitmap it held.
    GdiObject<HBITMAP> m_bitmap;
    MemoryDC m_dc;
    HGDIOBJ m_old = nullptr;
};

} // namespace

HGLOBAL CScreenPicture::Take(const PictureContent& content)
{
    if (content.area.IsEmpty() || content.band < 0) return nullptr;
    const DimensionBands bands(content);
    DibLayout layout;
    if (!ComputeDibLayout(content.area.Width() + bands.RightDepth(), content.area.Height() + bands.BottomDepth(), 24,
                          layout))
        return nullptr;
    const CaptureSurface surface(layout.width, layout.height);
    const HDC dc = surface.DC();
    if (!dc) return nullptr;
    // A failed screen read would pass a blank picture off as the screen.
    if (!GrabScreenArea(dc, 0, 0, content.area)) return nullptr;
    if (content.withCursor) DrawCursor(dc, content);
    bands.Draw(dc);

    // The clipboard's block is written once, by the conversion out of the surface.
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + layout.imageSize);
    if (!block) return nullptr;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    // A new block's pages arrive one fault at a time on first write; locking them in first
    // brings them all in one call. Where the system refuses (a small working set), the
    // writes fault them in as before.
    const SIZE_T blockSize = sizeof(BITMAPINFOHEADER) + layout.imageSize;
    const bool locked = VirtualLock(bytes, blockSize) != FALSE;
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
    WriteDibHeader(*header, layout);
    unsigned char* rows = bytes + sizeof(BITMAPINFOHEADER);
    const bool copied = surface.ReadRows(header, rows);
    // GetDIBits may fill in fields of its own; the clipboard gets exactly this header.
    WriteDibHeader(*header, layout);
    // The alignment bytes at each row's end carry nothing; zero keeps two copies of one picture equal.
    const uint32_t used = static_cast<uint32_t>(layout.width) * 3;
    if (used < layout.stride)
        for (int y = 0; y < layout.height; ++y) std::memset(rows + size_t(y) * layout.stride + used, 0, layout.stride - used);
    if (locked) VirtualUnlock(bytes, blockSize);
    GlobalUnlock(block);
    if (!copied) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}
