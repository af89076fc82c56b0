#pragma once

#include "copy/ScreenCoverage.h"
#include "framework/DibSurface.h"

#include <windows.h>

// Every read of the screen goes through here: the copy and its saved picture, the
// loupe, "Lines at Edges" and the snapping. Only the parts of a rectangle that lie on
// a monitor are read; the rest of the picture is black, as Windows gives it, whatever
// the target held before. A read whose rectangle passes the screen's edge must not
// reach the system whole: Wine answers it black all over, on-screen parts included.

// How often the same grab repeats. Layered windows (translucent ones, menus fading in)
// come only with CAPTUREBLT, which hides the pointer for the moment of the read: a blink
// at a single grab, a flicker when the grab repeats many times a second.
enum class GrabPace { Once, Repeated };

// Reads the screen under `coverage`'s area into `target`, the area's top-left corner at
// (x, y) of the target. True when every part on a monitor was read.
bool GrabScreenParts(HDC target, int32_t x, int32_t y, const ScreenCoverage& coverage, GrabPace pace = GrabPace::Once);

// The same for a screen rectangle, with the monitors as they are now.
bool GrabScreenArea(HDC target, int32_t x, int32_t y, const WindowRect& area, GrabPace pace = GrabPace::Once);

// Copies the screen rectangle of the surface's size at screen point (x, y) into the whole
// surface, its parts off every monitor black; true only when the transfer succeeded.
bool GrabScreenInto(DibSurface& surface, int32_t x, int32_t y);
// The same for the coverage's area, which has the surface's size: the caller keeps the
// coverage to mask the off-monitor pixels in its scans.
bool GrabScreenInto(DibSurface& surface, const ScreenCoverage& coverage);
