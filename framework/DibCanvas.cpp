#include "framework/DibCanvas.h"

#include "framework/GdiHolders.h"

std::optional<PixelCanvas> DirectCanvasOf(HDC dc)
{
    if (!dc || GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE) return std::nullopt;
    POINT viewport = {}, window = {};
    if (!GetViewportOrgEx(dc, &viewport) || !GetWindowOrgEx(dc, &window)) return std::nullopt;
    if (viewport.x || viewport.y || window.x || window.y) return std::nullopt;
    // A clip region would leave some pixels unpainted.
    GdiObject<HRGN> clip(CreateRectRgn(0, 0, 0, 0));
    if (!clip.get() || GetClipRgn(dc, clip.get()) != 0) return std::nullopt;
    DIBSECTION dib = {};
    const HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (!bitmap || GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib)) return std::nullopt;
    if (!dib.dsBm.bmBits || dib.dsBmih.biBitCount != 24 || dib.dsBmih.biCompression != BI_RGB ||
        dib.dsBmih.biHeight <= 0)
        return std::nullopt;
    GdiFlush();
    return PixelCanvas(static_cast<uint8_t*>(dib.dsBm.bmBits), dib.dsBmih.biWidth, dib.dsBmih.biHeight);
}
