#include "bench/MeasureBench.h"

#include "bench/BenchTiming.h"
#include "measure/PointerMeasure.h"
#include "ruler/RulerOptions.h"

#include <cstdio>
#include <vector>

namespace {

// A frozen frame of one 3840 x 2160 monitor: a grey desktop with a white panel on it,
// bottom-up as a grab gives it.
struct BenchFrame {
    static constexpr int32_t kWidth = 3840, kHeight = 2160;
    std::vector<uint8_t> bits;
    FrozenFrame frame;

    BenchFrame() : bits(static_cast<size_t>(kWidth * 3) * kHeight, 0x80)
    {
        frame.block = BottomUpBlock(bits.data(), kWidth, kHeight);
        frame.monitors = {{0, 0, kWidth, kHeight}};
        for (int32_t y = 600; y < 1100; ++y)
            for (int32_t x = 1200; x < 1900; ++x) {
                uint8_t* p = const_cast<uint8_t*>(frame.block.At(x, y));
                p[0] = p[1] = p[2] = 0xFF;
            }
    }
};

} // namespace

void BenchMeasureSpans()
{
    const BenchFrame f;
    const int32_t tolerance = RulerOptions().EdgeTolerance;
    std::printf("\n%-24s %11s %11s %7s\n", "Spacing span per move", "ms", "four rays", "ratio");
    const struct {
        const char* name;
        int32_t x, y;
    } starts[] = {{"from the panel", 1500, 800}, {"from the desktop", 3000, 1700}};
    for (const auto& start : starts) {
        // A pointer moving over 40 columns, as the mode reads it on every move.
        int step = 0;
        EdgeArea span, area;
        std::vector<double> spans, floors;
        for (int r = 0; r < 25; ++r) {
            spans.push_back(bench::TimeMs(20, [&](int) {
                span = MeasureSpan(f.frame, MeasureKind::Spacing, start.x + step++ % 40, start.y, tolerance);
            }));
            floors.push_back(bench::TimeMs(20, [&](int) {
                area = ScanArea(f.frame.block, {}, start.x + step++ % 40, start.y, tolerance);
            }));
        }
        const double ms = bench::Median(spans), floorMs = bench::Median(floors);
        std::printf("%-24s %11.4f %11.4f %7.2f  columns %d..%d, rows %d..%d\n", start.name, ms, floorMs, ms / floorMs,
                    span.left, span.right, span.top, span.bottom);
    }
    std::puts("(milliseconds per MeasureSpan on a 3840x2160 frame, median of 25 rounds of 20 moves; four rays =");
    std::puts(" the edge finder's ScanArea from the same points over the same block, alternating with it)");
}
