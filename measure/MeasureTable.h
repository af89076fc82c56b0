#pragma once

// Window-free: the measurements as a table of text that pastes into a spreadsheet, in the
// style of Copy Measurements: tab-separated cells, rows ending CR LF, a header row, then a
// row per measurement in order. Columns: Kind, X (px), Y (px), Width (u), Height (u),
// Length (u), Angle (°) and, when the unit is not Pixels, Width (px), Height (px),
// Length (px), u being the unit's short name ("px" in Pixels).
//
//   Kind  X (px)  Y (px)  Width (px)  Height (px)  Length (px)  Angle (°)
//   Line  100     300     40          30           50.0         36.9
//
// X/Y: the top-left of a Spacing span or a Box; a Horizontal span's left end on the
// pointer's row; a Vertical span's top end on the pointer's column; a line's start; an
// angle's vertex. Width and Height: a span's or box's pixel count (Horizontal: Width only,
// Vertical: Height only); a line's dx and dy (signed, up positive); none for an angle.
// Length: a line's; an angle's first arm (the second is only drawn). Angle: a line's from
// +x, or the angle between an angle's arms. An empty cell where a kind has no value.
// Positions, widths and heights in px are whole numbers; lengths, angles and every value
// in another unit have one decimal.

#include "measure/MeasurePins.h"
#include "ruler/UnitAxis.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The table's words, in the user's language (English defaults).
struct MeasureTableLabels {
    std::wstring kinds[kMeasureKindCount] = {L"Spacing", L"Horizontal", L"Vertical", L"Box", L"Line", L"Angle"};
    std::wstring kind = L"Kind", width = L"Width", height = L"Height", length = L"Length", angle = L"Angle";
};
// The labels from one tab-separated text in the order of the members (the six kinds, then
// "Kind", "Width", "Height", "Length", "Angle"), as a string table keeps them; a missing or
// empty field stays English.
MeasureTableLabels MeasureTableLabelsFrom(const std::wstring& text);

// `axesOf(m)` gives the unit axes (x, y) for a measurement's monitor (its scale; Percent of
// that monitor's size). The header's unit is the first measurement's (of a default
// Measurement when there is none).
std::wstring MeasureTableText(const std::vector<Measurement>& items,
                              const std::function<std::pair<UnitAxis, UnitAxis>(const Measurement&)>& axesOf,
                              const MeasureTableLabels& labels = {});
