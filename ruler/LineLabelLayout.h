#pragma once

// Where the guide lines' labels stand along one bar when the ruler reads in a unit,
// window-free: a unit's labels are wider than the pixel counts, and lines a few pixels
// apart would have them overprint each other and the bar's length. (In Pixels every label
// is drawn centred on its line, as it always was.)
//
// Each label wants to be centred on its line. Labels that would touch move apart along
// the bar, each still touching its own line: two lines 2 px apart get their labels on
// either side, one ending where its line is, the other starting there. Where no room is
// left, a label is left out (its value stays in the line's tooltip): the earlier added
// lines keep theirs. No label touches the bar's length label, and a label moved aside
// stays within the bar.
//
//   lines at 100 and 102, labels 40 wide:   [  26.5  ][  27.0  ]
//                                                    ^^ the lines

#include "ruler/scalebar/NumberSpacing.h"

#include <cstdint>
#include <vector>

// One line's label, offsets along the bar from its start.
struct LineLabel {
    int64_t lineBegin = 0, lineEnd = 0; // the line's painted band, `lineEnd` exclusive
    int64_t centred = 0;                // where the label begins when centred on the line
    int32_t extent = 0;                 // the label's length along the bar
};

// Where a label goes; a label left out is not shown.
struct LabelPlace {
    bool shown = false;
    int64_t begin = 0;
};

// The places of `labels` (in the order their lines were added) on a bar `barLength` long,
// `gap` pixels clear of each other and of `lengthLabel` when the bar writes its length
// (`hasLengthLabel`); one place for each label, in the same order.
std::vector<LabelPlace> PlaceLineLabels(const std::vector<LineLabel>& labels, int64_t barLength,
                                        bool hasLengthLabel, const BarSpan& lengthLabel, int32_t gap = 1);
