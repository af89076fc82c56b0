#include "measure/EdgeFinder.h"
#include "ruler/RulerOptions.h"
#include "support/EdgeScenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <random>

namespace {

using Colour = uint32_t; // 0xRRGGBB

// A bottom-up 24-bit bitmap with padded rows, as a screen grab gives it.
struct Image {
    int32_t w, h;
    std::vector<uint8_t> bits;
    Image(int32_t width, int32_t height, Colour fill)
        : w(width), h(height), bits(static_cast<size_t>((width * 3 + 3) / 4 * 4 * height))
    {
        Fill(0, 0, w, h, fill);
    }
    void Fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Colour c)
    {
        for (int32_t y = y0; y < y1; ++y)
            for (int32_t x = x0; x < x1; ++x) {
                uint8_t* p = &bits[static_cast<size_t>((h - 1 - y) * ((w * 3 + 3) / 4 * 4) + x * 3)];
                p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
            }
    }
    PixelBlock Block() const { return BottomUpBlock(bits.data(), w, h); }
};

constexpr Colour kGrey = 0x808080, kBlue = 0x2040C0, kCyan = 0x00FFFF;

} // namespace

TEST(EdgeFinder, AreaAroundAPointGivesLinesOnItsEdgesOnce)
{
    Image image(12, 8, kGrey);
    image.Fill(3, 2, 7, 5, kBlue);  // columns 3..6, rows 2..4
    image.Fill(9, 6, 10, 7, kBlue); // one pixel, on no border
    GuideLines lines({3}, {});
    EXPECT_EQ(3u, AddEdgeLines(ScanArea(image.Block(), {}, 4, 3, 8), lines)) << "3 was there already";
    EXPECT_EQ((std::vector<int32_t>{3, 7}), lines.X());
    EXPECT_EQ((std::vector<int32_t>{2, 5}), lines.Y());
    EXPECT_EQ(0u, AddEdgeLines(ScanArea(image.Block(), {}, 5, 4, 8), lines));

    lines.Clear();
    EXPECT_EQ(4u, AddEdgeLines(ScanArea(image.Block(), {}, 9, 6, 8), lines));
    EXPECT_EQ((std::vector<int32_t>{9, 10}), lines.X());
    EXPECT_EQ((std::vector<int32_t>{6, 7}), lines.Y());

    // From the background at the corner every scan reaches the border: no line.
    const EdgeArea open = ScanArea(image.Block(), {}, 0, 0, 8);
    EXPECT_TRUE(open.valid && !open.leftFound && !open.rightFound && !open.topFound && !open.bottomFound);
    EXPECT_EQ(11, open.right);
    EXPECT_FALSE(ScanArea(image.Block(), {}, 12, 0, 8).valid);
}

TEST(EdgeFinder, ToleranceIsTheLargestChannelDifference)
{
    Image image(6, 3, kGrey);
    image.Fill(3, 0, 6, 3, kGrey + 0x000100); // green one step up
    EXPECT_EQ(3, ScanArea(image.Block(), {}, 1, 1, 0).right + 1);
    EXPECT_FALSE(ScanArea(image.Block(), {}, 1, 1, 1).rightFound);
    image.Fill(3, 0, 6, 3, 0xFFFFFF);
    image.Fill(0, 0, 3, 3, 0x000000);
    EXPECT_TRUE(ScanArea(image.Block(), {}, 1, 1, 254).rightFound);
    EXPECT_FALSE(ScanArea(image.Block(), {}, 1, 1, 255).rightFound);
}

TEST(EdgeFinder, TheRulersOwnLinesAreSeenThrough)
{
    Image image(14, 6, kGrey);
    image.Fill(3, 0, 10, 6, kBlue); // columns 3..9
    // Lines painted on the area's edges (3 and 10) and across it (6, three wide).
    EdgeMask mask{std::vector<uint8_t>(14, MaskClear), std::vector<uint8_t>(6, MaskClear)};
    for (int32_t x : {3, 10}) MaskLine(mask.columns, x, 1), image.Fill(x, 0, x + 1, 6, kCyan);
    MaskLine(mask.columns, 6, 3), image.Fill(5, 0, 8, 6, kCyan);
    EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 2, 0, 1, 2, 2, 0, 0, 2, 0, 0, 0}), mask.columns);
    GuideLines lines({3, 10}, {});
    const EdgeArea area = ScanArea(image.Block(), mask, 6, 2, 8); // on the line: read beside it
    EXPECT_EQ(3, area.left);
    EXPECT_EQ(9, area.right);
    EXPECT_EQ(0u, AddEdgeLines(area, lines)) << "lines already on the edges are found again";

    const std::vector<int32_t> s = ColumnEdgeStrengths(image.Block(), mask, 8);
    EXPECT_EQ(6, s[3]);
    EXPECT_EQ(6, s[10]);
    EXPECT_EQ(0, s[6]) << "a line across the area is no edge";
    mask.rows[1] = mask.rows[4] = MaskRight; // rows under the tooltip do not count
    EXPECT_EQ(4, ColumnEdgeStrengths(image.Block(), mask, 8)[3]);
}

TEST(EdgeFinder, SnapTakesTheStrongestLongEnoughEdgeNearest)
{
    std::vector<int32_t> s(40, 0);
    s[10] = 7; // too short
    EXPECT_EQ(12, ChooseSnap(s, 12));
    s[14] = 8, s[16] = 30, s[20] = 50; // 20 is beyond the radius of 15
    EXPECT_EQ(16, ChooseSnap(s, 15));
    s[12] = 30;
    EXPECT_EQ(12, ChooseSnap(s, 13)) << "as strong as 16, nearer";
    EXPECT_EQ(12, ChooseSnap(s, 14)) << "the lower of two as near";
    EXPECT_EQ(0, ChooseSnap(std::vector<int32_t>(5, 0), 0));
}

// Random blocks of areas at least 2 px wide, whose colours differ by more than the tolerance:
// every edge reported is a real change of colour, and none is missed.
TEST(EdgeFinder, RandomBlocksProperty)
{
    std::mt19937 rng(17);
    auto pick = [&](int32_t n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
    for (int round = 0; round < 3000; ++round) {
        const int32_t w = 1 + pick(14), h = 1 + pick(14), tol = pick(3) == 0 ? 0 : pick(64);
        std::vector<Colour> used;
        auto colour = [&] {
            Colour c = rng() & 0xFFFFFF;
            for (Colour o : used)
                if (!ColoursDiffer(reinterpret_cast<uint8_t*>(&c), reinterpret_cast<uint8_t*>(&o), tol)) c = o;
            used.push_back(c);
            return c;
        };
        Image image(w, h, colour());
        for (int i = pick(5); i > 0; --i) {
            const int32_t x = pick(w) & ~1, y = pick(h) & ~1;
            image.Fill(x, y, std::min(w, (x + 2 + pick(w - x)) & ~1), std::min(h, (y + 2 + pick(h - y)) & ~1), colour());
        }
        EdgeMask mask{std::vector<uint8_t>(static_cast<size_t>(w)), std::vector<uint8_t>(static_cast<size_t>(h))};
        for (int i = pick(3); i > 0; --i) MaskLine(mask.columns, pick(w + 2) - 1, 1 + pick(3));
        const PixelBlock block = image.Block();
        const int32_t x0 = pick(w), y0 = pick(h);
        if (mask.columns[static_cast<size_t>(x0)] != MaskClear) continue;
        const uint8_t* p = block.At(x0, y0);
        const EdgeArea a = ScanArea(block, mask, x0, y0, tol);
        ASSERT_TRUE(a.valid);
        for (int32_t x = a.left; x <= a.right; ++x)
            ASSERT_TRUE(mask.columns[static_cast<size_t>(x)] || !ColoursDiffer(block.At(x, y0), p, tol));
        for (int32_t y = a.top; y <= a.bottom; ++y) ASSERT_FALSE(ColoursDiffer(block.At(x0, y), p, tol));
        int32_t u = a.left - 1, v = a.right + 1;
        while (u >= 0 && mask.columns[static_cast<size_t>(u)]) --u;
        while (v < w && mask.columns[static_cast<size_t>(v)]) ++v;
        ASSERT_EQ(a.leftFound, u >= 0 && ColoursDiffer(block.At(u, y0), p, tol));
        ASSERT_EQ(a.rightFound, v < w && ColoursDiffer(block.At(v, y0), p, tol));
        ASSERT_EQ(a.topFound, a.top > 0);
        ASSERT_TRUE(!a.topFound || ColoursDiffer(block.At(x0, a.top - 1), p, tol));
        ASSERT_TRUE(!a.bottomFound || ColoursDiffer(block.At(x0, a.bottom + 1), p, tol));

        // Unmasked, the strength of boundary k counts the rows where columns k - 1 and k differ.
        const std::vector<int32_t> s = ColumnEdgeStrengths(block, {}, tol);
        std::vector<int32_t> counted(static_cast<size_t>(w) + 1, 0);
        for (int32_t k = 1; k < w; ++k)
            for (int32_t y = 0; y < h; ++y)
                counted[static_cast<size_t>(k)] += ColoursDiffer(block.At(k - 1, y), block.At(k, y), tol);
        ASSERT_EQ(counted, s);
        const int32_t placed = pick(w + 1), snapped = ChooseSnap(s, placed);
        ASSERT_TRUE(snapped == placed || counted[static_cast<size_t>(snapped)] >= kMinEdgeLength);
        for (int32_t k = std::max(0, placed - kSnapRadius); k <= std::min(w, placed + kSnapRadius); ++k)
            if (counted[static_cast<size_t>(k)] >= kMinEdgeLength) {
                ASSERT_LE(std::abs(snapped - placed), kSnapRadius);
                ASSERT_GE(counted[static_cast<size_t>(snapped)], counted[static_cast<size_t>(k)]);
            }
    }
}

// Generated scenes: every flat one exact, at least 95 % of the scans of each family within a pixel.
TEST(EdgeFinder, SeesTheGeneratedScenesAsAPersonDoes)
{
    const int32_t tolerance = RulerOptions().EdgeTolerance;
    for (const FamilyScore& f : ScoreCorpus(EdgeCorpus(27, 12), [&](const PixelBlock& b, int32_t x, int32_t y, RayDirection d) {
             return ScanRay(b, {}, x, y, d, tolerance);
         })) {
        EXPECT_TRUE(f.family != std::string("flat scenes") || f.scans == f.exact) << f.exact << " of " << f.scans;
        EXPECT_GE(f.near * 100, f.scans * 95) << f.family;
    }
}

// A line snaps only to a true edge, never into a shadow or a gradient, and every long edge draws it.
TEST(EdgeFinder, SnapStrengthsStandOnTrueEdgesOnly)
{
    for (const EdgeScene& s : EdgeCorpus(31, 6)) {
        const std::vector<int32_t> found = ColumnEdgeStrengths(s.Block(), {}, RulerOptions().EdgeTolerance);
        std::vector<int32_t> truth(found.size(), 0);
        for (int32_t y = 0; y < s.h; ++y)
            for (int32_t k = 1; k < s.w; ++k) truth[size_t(k)] += s.labels[size_t(y * s.w + k - 1)] != s.labels[size_t(y * s.w + k)];
        auto nearest = [](const std::vector<int32_t>& v, int32_t k) {
            return *std::max_element(v.begin() + std::max(k - 1, 0), v.begin() + std::min<int32_t>(k + 2, int32_t(v.size())));
        };
        for (int32_t k = 0; k < int32_t(found.size()); ++k) {
            EXPECT_TRUE(found[size_t(k)] < kMinEdgeLength || nearest(truth, k) > 0) << s.family << " at " << k;
            EXPECT_TRUE(truth[size_t(k)] < 2 * kMinEdgeLength || nearest(found, k) >= kMinEdgeLength) << s.family << " at " << k;
        }
    }
}
