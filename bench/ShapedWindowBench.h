#pragma once

// ShapedWindowBench owns the windows that the ruler's live-resize step is measured
// against: each has the ruler's shape at its size (bars of the default thickness and the
// two corner squares, from RegionRects) or none, and does nothing else. It touches no
// ruler window.

#include <windows.h>

// How a comparison window gets the ruler's see-through inner area.
enum class ShapeKind {
    Plain,     // it does not: no shape, nothing painted
    Region,    // a window region set on every size change
    ColourKey, // a layered window with its inner area painted in a colour key, no region
};

// The title of the comparison window of `kind`; started as "mensuro_bench.exe <title>",
// the benchmark runs that window in a process of its own, as the ruler is.
const wchar_t* ShapeWindowTitle(ShapeKind kind);

// Runs the comparison window titled `title` (placed at the screen's top-left, 1920 x 1080)
// until it is closed; 1 when no comparison window has that title.
int RunShapeWindow(const wchar_t* title);

// Shows the region window and the colour-keyed one over another window and prints
// whether each keeps the shape where Win32 looks: the pixels on the screen, WindowFromPoint
// at every point of the window, and where a click in the inner area goes.
void CheckShapes();
