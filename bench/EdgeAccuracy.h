#pragma once

// Window-free: how often the edge finder meets the true edge of generated scenes, beside
// the rule it replaced (a pixel unlike the ray's first one ends the area), per family of
// scenes; and the new finder's accuracy at other tolerances, which chose the default.
void PrintEdgeAccuracy();
