#include "copy/ScreenCoverage.h"
#include "measure/OffScreenMask.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A 1920 x 1080 primary, a 1280 x 1024 monitor left of it reaching above it, a 1600 x 1200
// one right of it reaching below it, and one mirroring a quarter of the primary.
const std::vector<WindowRect> kDesk = {
    {0, 0, 1920, 1080}, {-1280, -200, 0, 824}, {1920, 0, 3520, 1200}, {960, 540, 1920, 1080}};

} // namespace

TEST(ScreenCoverage, PartsAndOffSpansNameExactlyThePixelsOnAMonitor)
{
    std::mt19937 rng(3);
    const auto pick = [&](int32_t lo, int32_t hi) { return lo + static_cast<int32_t>(rng() % uint32_t(hi - lo)); };
    for (int round = 0; round < 80; ++round) {
        const int32_t x = pick(-1300, 3500), y = pick(-250, 1250);
        const ScreenCoverage coverage({x, y, x + pick(1, 60), y + pick(1, 60)}, kDesk);
        const WindowRect& area = coverage.Area();
        bool whole = true;
        for (int32_t r = 0; r < area.Height(); ++r) {
            const std::vector<PixelSpan> off = coverage.OffSpansInRow(r);
            for (int32_t c = 0, k = 0; c < area.Width(); ++c) {
                int monitors = 0, parts = 0;
                for (const WindowRect& m : kDesk) monitors += m.Contains(area.left + c, area.top + r);
                for (const WindowRect& p : coverage.Parts()) parts += p.Contains(area.left + c, area.top + r);
                ASSERT_EQ(monitors > 0 ? 1 : 0, parts) << "every pixel on a monitor in one part";
                ASSERT_EQ(monitors > 0, coverage.IsOn(c, r));
                while (k < int32_t(off.size()) && off[size_t(k)].to <= c) ++k;
                ASSERT_EQ(monitors == 0, k < int32_t(off.size()) && off[size_t(k)].from <= c) << c << "," << r;
                whole = whole && monitors > 0;
            }
        }
        EXPECT_EQ(whole, coverage.IsWhole());
    }
}

TEST(ScreenCoverage, ScansSeeNoEdgeWhereTheFillMeetsTheScreen)
{
    // Over the primary's bottom-right corner and the gap below it, left of the taller
    // monitor: columns 0..19 leave the screen from row 10 on.
    const ScreenCoverage coverage({1900, 1070, 1940, 1090}, kDesk);
    EXPECT_EQ((std::vector<PixelSpan>{{10, 20}}), coverage.OffSpansInColumn(5));
    // Grey screen, black fill, and one true edge: a blue panel from column 30 on.
    const int32_t w = 40, h = 20;
    std::vector<uint8_t> bits(size_t(3 * w * h));
    for (int32_t i = 0; i < w * h; ++i) {
        const int32_t x = i % w, y = h - 1 - i / w; // bottom-up rows
        const uint8_t grey = coverage.IsOn(x, y) ? 128 : 0;
        bits[size_t(3 * i)] = x >= 30 ? 200 : grey, bits[size_t(3 * i + 1)] = grey, bits[size_t(3 * i + 2)] = grey;
    }
    const PixelBlock block = BottomUpBlock(bits.data(), w, h);
    // "Lines at Edges" from a grey point above the fill: unmasked, the fill is an edge below it.
    EXPECT_TRUE(ScanArea(block, {}, 5, 5, 8).bottomFound);
    EdgeMask cross;
    MaskOffScreenCross(cross, coverage, 5, 5);
    const EdgeArea found = ScanArea(block, cross, 5, 5, 8);
    EXPECT_FALSE(found.leftFound || found.topFound || found.bottomFound);
    EXPECT_TRUE(found.rightFound && found.right == 29);
    // Snapping: the columns' boundaries count only the panel's edge; the rows' count nothing.
    EdgeMask columns, rows;
    MaskOffScreenBlock(columns, coverage, true);
    const std::vector<int32_t> s = ColumnEdgeStrengths(block, columns, 8);
    for (int32_t k = 0; k <= w; ++k) EXPECT_EQ(k == 30 ? 10 : 0, s[size_t(k)]) << k;
    MaskOffScreenBlock(rows, coverage, false);
    for (int32_t v : ColumnEdgeStrengths(block.Transposed(), EdgeMask{rows.rows, rows.columns}, 8)) EXPECT_EQ(0, v);
}
