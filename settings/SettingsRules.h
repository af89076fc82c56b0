#pragma once

#include "ruler/scalebar/ScaleBarStyle.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct RulerOptions;

// The entries the Settings dialog's lists offer.
std::vector<int32_t> ThicknessList();  // 30 to 100, steps of 10
std::vector<int32_t> LineWidthList();  // 1 to 10
std::vector<int32_t> InnerSizeList();  // the 35 widths and heights, in list order
std::vector<int32_t> SmallPitchList(); // 2 to 10
std::vector<int32_t> MiddlePitchList();
std::vector<int32_t> BigPitchList();

// Index of the entry equal to value; -1 when no entry is.
int ListIndexOf(const std::vector<int32_t>& list, int32_t value);
// The entry at index, or `current` when the list has no selection: a stored value
// that is not in the list stays what it was.
int32_t ListValueAt(const std::vector<int32_t>& list, int index, int32_t current);

// The number at the start of a text the way atoi reads it (leading blanks, a sign,
// digits up to the first other character; 0 if none), held at the 32-bit limits.
int32_t ParseLeadingInt(const std::wstring& text);

// Outer window side for an inner size text and a bar thickness, kept within the
// window sizes the ruler accepts (the ruler itself raises it to twice the bar).
int32_t OuterExtent(const std::wstring& innerText, int32_t scaleSize);

// What the page of the dialog edits for one bar.
struct BarValues {
    uint32_t ColorS = 0;
    uint32_t ColorM = 0;
    uint32_t ColorL = 0;
    uint32_t Text = 0;
    uint32_t Back = 0;
    int32_t ScaleS = 0;
    int32_t ScaleM = 0;
    int32_t ScaleL = 0;
};
using BarSet = std::array<BarValues, BarCount>;

BarValues ValuesOfBar(const ScaleBarStyle& bar);
void ApplyBarValues(const BarValues& values, ScaleBarStyle& bar);

// Takes the three pitch texts into values when each is greater than 0, tested small,
// middle, big; otherwise leaves values alone and returns false.
bool ParsePitches(const std::wstring& small, const std::wstring& middle, const std::wstring& big, BarValues& values);
// Writes the page into the bars it stands for: all four when Individual is off,
// only the page bar when it is on.
void StorePageValues(BarSet& bars, const BarValues& page, bool individual, int pageBar);

// Bars that get a tab, in tab order, from the four "shown" check boxes.
std::vector<int> TabBars(bool top, bool bottom, bool left, bool right);
// The bar the page shows: the selected tab's, else the first tab's, else the top bar.
int PageBar(const std::vector<int>& tabBars, int selectedTab);

// The Settings dialog's check boxes (0 or 1 each).
struct DisplayChoices {
    int tooltip = 0;
    int individual = 0;
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};
DisplayChoices ChoicesFromOptions(const RulerOptions& options);
// Sets or clears only the dialog's own bits of Option and Flags.
void ApplyChoices(const DisplayChoices& choices, RulerOptions& options);

// The colour popup: 4 columns of 6 cells, cell index = column * 6 + row.
constexpr int kColorColumns = 4;
constexpr int kColorRows = 6;
constexpr int kColorCells = kColorColumns * kColorRows;
constexpr int kPaletteCells = 20;
// The last cell opens the colour dialog; it has no colour of its own.
constexpr int kMoreColorsCell = 23;
constexpr int32_t kMoreColors = -1;
using ColorTable = std::array<int32_t, kColorCells>;

// The 20 default-palette colours (null when the palette cannot be read: those cells
// stay black), then the menu, window and button-face colours, then the "..." cell.
ColorTable BuildColorTable(const uint32_t* palette, uint32_t menu, uint32_t window, uint32_t buttonFace);
// The first cell of that colour, or the "..." cell when none has it.
int FindColorCell(const ColorTable& table, uint32_t colour);
