#pragma once

#include <windows.h>

class CMensuroDlg;

// "Lines at Edges" and a drag's move with snapping, at a 1920 x 1080 inner area,
// against their floors measured alongside: one screen grab of that size, the move
// without snapping. Resizes and moves the ruler window.
void BenchEdges(CMensuroDlg& ruler, HWND window);
