#pragma once

// Window-free: the edge scans see through the pixels of a grab that lie off every
// monitor, as they see through the ruler's own lines. The grab's fill there is no
// picture, and its boundary with a real pixel is no edge.

#include "copy/ScreenCoverage.h"
#include "measure/EdgeFinder.h"

// For a scan along row y and column x of the grab (ScanCross, or ScanArea from (x, y)):
// masks the off-monitor columns of row y and rows of column x. The mask keeps the
// grab's orientation; an empty list in it is first sized to the grab.
void MaskOffScreenCross(EdgeMask& mask, const ScreenCoverage& coverage, int32_t x, int32_t y);

// For the strengths of the boundaries between columns (`vertical`) or between rows
// over the whole grab: masks the columns (rows) off every monitor all along, then each
// row (column) that still holds an off-monitor pixel in a column (row) the count reads.
// The mask keeps the grab's orientation: for rows, swap its lists for the transposed
// block as for the ruler's own lines.
void MaskOffScreenBlock(EdgeMask& mask, const ScreenCoverage& coverage, bool vertical);
