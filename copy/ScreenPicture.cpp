#include "copy/ScreenPicture.h"

#include "copy/CaptureSurface.h"
#include "copy/CopyRules.h"
#include "copy/DimensionBands.h"
#include "copy/ScreenGrab.h"
#include "framework/DibLayout.h"
#include "framework/GdiHolders.h"
#include "framework/Handles.h"

#include <cstring>
#include <utility>

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

} // namespace

HGLOBAL CScreenPicture::Take(const PictureContent& content, std::unique_ptr<CCaptureSurface>* kept)
{
    if (content.area.IsEmpty() || content.band < 0) return nullptr;
    const DimensionBands bands(content);
    DibLayout layout;
    if (!ComputeDibLayout(content.area.Width() + bands.RightDepth(), content.area.Height() + bands.BottomDepth(), 24,
                          layout))
        return nullptr;
    auto made = std::make_unique<CCaptureSurface>(layout.width, layout.height);
    const CCaptureSurface& surface = *made;
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
    const bool copied = surface.ReadRows(header, 0, layout.height, rows);
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
    if (kept) *kept = std::move(made);
    return block;
}
