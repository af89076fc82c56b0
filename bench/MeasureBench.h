#pragma once

// The Measure mode's spans per pointer move on a frozen 3840 x 2160 frame, against the
// edge finder's own four rays over the same pixels.
void BenchMeasureSpans();
