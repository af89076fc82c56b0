#pragma once

// How the Measure mode draws on an overlay: a measurement with its numbers, the hint and
// the magnifier. Drawing only reads what it is given. Every function draws into a DC whose
// (0, 0) is the screen point `origin` (the monitor's top-left pixel), in the DC's font.

#include "measure/MeasurePins.h"
#include "measure/PointerMeasure.h"
#include "ruler/UnitAxis.h"

#include <windows.h>

#include <string>
#include <utility>

using MeasureAxes = std::pair<UnitAxis, UnitAxis>;

// The colours of the live measurement and of the pins.
constexpr COLORREF kLiveColour = RGB(255, 0, 160);
constexpr COLORREF kPinColour = RGB(0, 150, 255);

void DrawMeasurement(HDC dc, POINT origin, const Measurement& m, const MeasureAxes& axes, COLORREF colour,
                     int32_t dpi);

// The hint in its box, at a screen rectangle.
void DrawHint(HDC dc, POINT origin, const WindowRect& box, const std::wstring& text);

// The magnifier of the frozen frame around `pointer`, placed beside it inside `monitor`,
// with the loupe's readout of the position and colour below the image; `zoom` as the loupe's.
// The screen rectangle it covers.
WindowRect MagnifierRect(const WindowRect& monitor, MeasurePoint pointer, int32_t dpi, int32_t zoom);
void DrawMagnifier(HDC dc, POINT origin, const FrozenFrame& frame, const WindowRect& monitor, MeasurePoint pointer,
                   int32_t dpi, int32_t zoom);

// The labels' room around a measurement's lines, at a scale: what repaints with it.
int32_t MeasureLabelMargin(int32_t dpi);
