#pragma once

// Generated scenes for the edge finder (window-free; the core tests and the benchmark
// share them). A scene knows its regions, one label per pixel: the true edge of a ray is
// where the first pixel of another region begins. Shadows, noise and gradients are no region.

#include "measure/EdgeFinder.h"

#include <functional>

struct EdgeScene {
    const char* family = "";
    bool flat = false; // hard-edged areas of one colour each: every edge exact
    int32_t w = 0, h = 0;
    std::vector<uint8_t> bits;   // bottom-up 24-bit rows, padded, as a screen grab gives them
    std::vector<int16_t> labels; // top row first
    std::vector<std::pair<int32_t, int32_t>> probes; // points each scanned in the four directions
    PixelBlock Block() const { return BottomUpBlock(bits.data(), w, h); }
};

std::vector<EdgeScene> EdgeCorpus(uint32_t seed, int32_t perFamily);
RayEdge TrueEdge(const EdgeScene& scene, int32_t x, int32_t y, RayDirection direction);

struct FamilyScore {
    const char* family = "";
    int32_t scans = 0, exact = 0, near = 0; // near: within 1 px (found or not as the truth)
};
using RayFinder = std::function<RayEdge(const PixelBlock&, int32_t x, int32_t y, RayDirection)>;
// One score per family, in corpus order, then one for all ("all") and one for the flat scenes ("flat scenes").
std::vector<FamilyScore> ScoreCorpus(const std::vector<EdgeScene>& corpus, const RayFinder& finder);
