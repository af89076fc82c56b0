#pragma once

#include "framework/PixelCanvas.h"

#include <windows.h>

#include <optional>

// The pixels dc draws into, where writing them straight is the same as drawing there with
// GDI: a 24-bit bottom-up DIB section selected into dc, the default mapping and no
// clipping. Anything else (a window's DC, a metafile, a clipped or moved DC) gives none, and
// its caller draws with GDI. GDI's queued drawing is flushed first.
std::optional<PixelCanvas> DirectCanvasOf(HDC dc);
