#pragma once

// "Copy Measurements": the inner area and its guide lines as a table that pastes into
// a spreadsheet. Tab-separated cells, rows ending in CR LF; numbers are bare, so a
// spreadsheet reads them as numbers, and the header names their units.
//
//           Value (mm)  Value (px)  Gap (mm)  Gap (px)
//   Width   84.7        320
//   Height  47.6        180
//   X 1     12.7        48          12.7      48
//   X 2     25.4        96          12.7      48
//   X End   84.7        320         59.3      224
//   Y 1     ...
//
// In Pixels the unit's columns would repeat the pixels' and are left out.

#include "ruler/UnitAxis.h"

#include <cstdint>
#include <string>
#include <vector>

// The words of the table, in the user's language.
struct MeasurementLabels {
    std::wstring width = L"Width";
    std::wstring height = L"Height";
    std::wstring lineX = L"X";
    std::wstring lineY = L"Y";
    std::wstring value = L"Value";
    std::wstring gap = L"Gap";
    std::wstring end = L"End";
};
// The labels from one tab-separated text in the order of the members ("Width\tHeight\t
// X\tY\tValue\tGap\tEnd", as the string table keeps them); a missing or empty one stays English.
MeasurementLabels MeasurementLabelsFrom(const std::wstring& text);
// Fills the fields in order from the tab-separated text; an empty or missing field keeps its value.
void SplitTabFields(const std::wstring& text, const std::vector<std::wstring*>& fields);

// The table for the inner area the axes measure (their extents) and its guide lines (inner-area
// device pixels, any order). Only the lines the ruler draws inside the area (0 to the
// extent, the extent left out) get a row: X lines left to right, then Y lines top to
// bottom, each with the gap to the line before it or to the edge.
std::wstring MeasurementTable(const UnitAxis& alongX, const UnitAxis& alongY, const std::vector<int32_t>& linesX,
                              const std::vector<int32_t>& linesY, const MeasurementLabels& labels = {});
