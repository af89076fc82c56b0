#include "bench/EdgeAccuracy.h"

#include "ruler/RulerOptions.h"
#include "support/EdgeScenes.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The replaced rule, kept here only as the reference: the ray ends at the first pixel whose
// colour differs from the starting pixel's by more than the tolerance in a channel.
RayEdge OldRay(const PixelBlock& block, int32_t x, int32_t y, RayDirection direction, int32_t tolerance)
{
    const bool across = direction == RayDirection::Left || direction == RayDirection::Right;
    const int32_t step = direction == RayDirection::Right || direction == RayDirection::Down ? 1 : -1;
    const int32_t n = across ? block.width : block.height, start = across ? x : y;
    const uint8_t* colour = block.At(x, y);
    for (int32_t i = start + step; i >= 0 && i < n; i += step) {
        const uint8_t* p = across ? block.At(i, y) : block.At(x, i);
        if (ColoursDiffer(p, colour, tolerance)) return {true, step > 0 ? i : i + 1};
    }
    return {false, step > 0 ? n : 0};
}

double Percent(int32_t part, int32_t all)
{
    return all ? 100.0 * part / all : 0.0;
}

} // namespace

void PrintEdgeAccuracy()
{
    // Scenes of a seed the finder's own tests do not use.
    const std::vector<EdgeScene> corpus = EdgeCorpus(2027, 40);
    const int32_t tolerance = RulerOptions().EdgeTolerance;
    const std::vector<FamilyScore> old = ScoreCorpus(corpus, [&](const PixelBlock& b, int32_t x, int32_t y, RayDirection d) {
        return OldRay(b, x, y, d, tolerance);
    });
    const std::vector<FamilyScore> now = ScoreCorpus(corpus, [&](const PixelBlock& b, int32_t x, int32_t y, RayDirection d) {
        return ScanRay(b, {}, x, y, d, tolerance);
    });
    std::printf("\n%-22s %6s %11s %11s %11s %11s\n", "edge accuracy", "scans", "old exact", "old <=1px", "new exact",
                "new <=1px");
    for (size_t i = 0; i < now.size(); ++i)
        std::printf("%-22s %6d %10.1f%% %10.1f%% %10.1f%% %10.1f%%\n", now[i].family, now[i].scans,
                    Percent(old[i].exact, old[i].scans), Percent(old[i].near, old[i].scans),
                    Percent(now[i].exact, now[i].scans), Percent(now[i].near, now[i].scans));
    std::printf("(%zu generated scenes, every probe scanned in four directions, tolerance %d)\n", corpus.size(),
                tolerance);

    std::printf("\n%-22s", "new finder, tolerance");
    const int32_t tolerances[] = {2, 4, 6, 8, 12, 16, 24, 32};
    for (int32_t t : tolerances) std::printf(" %6d", t);
    for (const char* row : {"all", "flat scenes"}) {
        std::printf("\n%-22s", row);
        for (int32_t t : tolerances) {
            for (const FamilyScore& f : ScoreCorpus(corpus, [&](const PixelBlock& b, int32_t x, int32_t y, RayDirection d) {
                     return ScanRay(b, {}, x, y, d, t);
                 }))
                if (std::string(f.family) == row) std::printf(" %5.1f%%", Percent(f.near, f.scans));
        }
    }
    std::printf("\n(scans within 1 px of the true edge)\n");
}
