#include "framework/PixelCanvas.h"
#include "framework/TextPlacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

namespace {

constexpr uint8_t kGround = 0x11;

// A w x h canvas over bytes laid out as a 24-bit DIB: rows padded to 4 bytes, bottom row first.
struct Bytes {
    int32_t w, h;
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> bytes = std::vector<uint8_t>(stride * h, kGround);

    PixelCanvas Canvas() { return PixelCanvas(bytes.data(), w, h); }
    const uint8_t* At(int32_t x, int32_t y) const { return bytes.data() + (h - 1 - y) * stride + x * 3; }
    // Every pixel holds what `expected` gives it, and no padding byte was touched.
    void Expect(const std::function<Bgr(int32_t, int32_t, bool&)>& expected) const
    {
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                bool painted = false;
                const Bgr want = expected(x, y, painted);
                const uint8_t* p = At(x, y);
                const Bgr have = painted ? want : Bgr{kGround, kGround, kGround};
                ASSERT_TRUE(p[0] == have.blue && p[1] == have.green && p[2] == have.red) << "pixel " << x << "," << y;
            }
            ASSERT_EQ(bytes[(h - 1 - y) * stride + stride - 1], kGround) << "padding of row " << y;
        }
    }
};

} // namespace

TEST(PixelCanvas, FillsAreClippedToTheCanvasAndLongRowsComeOutWhole)
{
    struct Case {
        int32_t w;
        int64_t left, top, right, bottom;
        int32_t l, t, r, b; // what must be painted
    };
    const Case cases[] = {
        {5, 1, 1, 3, 2, 1, 1, 3, 2},   // the top row counted from the top
        {5, 0, 0, 5, 4, 0, 0, 5, 4},   // all of it
        {5, -3, -2, 2, 1, 0, 0, 2, 1}, // off the top-left corner
        {5, 4, 3, 9, 9, 4, 3, 5, 4},   // off the bottom-right corner
        {5, 2, 0, 2, 4, 0, 0, 0, 0},   // no width
        {5, 3, 1, 1, 3, 0, 0, 0, 0},   // reversed
        {5, INT64_MIN / 2, INT64_MIN / 2, INT64_MAX / 2, 1, 0, 0, 5, 1},
        {45, 0, 1, 15, 3, 0, 1, 15, 3}, // rows of 16 pixels and more are painted by copies
        {45, 3, 1, 19, 3, 3, 1, 19, 3}, // of a growing run: every length must end where it
        {45, 0, 1, 17, 3, 0, 1, 17, 3}, // should
        {45, 3, 1, 36, 3, 3, 1, 36, 3},
        {45, 2, 0, 44, 4, 2, 0, 44, 4},
        {45, -9, 2, 60, 3, 0, 2, 45, 3},
    };
    const Bgr colour{1, 2, 3};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " .. " << c.right << "," << c.bottom);
        Bytes canvas{c.w, 4};
        canvas.Canvas().Fill(c.left, c.top, c.right, c.bottom, colour);
        canvas.Expect([&](int32_t x, int32_t y, bool& painted) {
            painted = x >= c.l && x < c.r && y >= c.t && y < c.b;
            return colour;
        });
    }
}

TEST(PixelCanvas, ColumnsPaintWhatEachBandPaintsAlone)
{
    struct Case {
        std::vector<ColumnSpan> spans;
        int64_t top, bottom;
    };
    const Case cases[] = {
        {{{0, 1}, {2, 4}}, 1, 3},
        {{{-2, 1}, {4, 9}, {3, 3}, {2, 1}}, -5, 2}, // clipped, empty and reversed spans
        {{{1, 3}, {2, 5}}, 0, 4},                   // overlapping
        {{{0, 5}}, 3, 3},                           // no rows
    };
    const Bgr colour{9, 8, 7};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.spans.size() << " spans, rows " << c.top << " .. " << c.bottom);
        Bytes together{5, 4}, alone{5, 4};
        together.Canvas().FillColumns(c.spans, c.top, c.bottom, colour);
        for (const ColumnSpan& span : c.spans) alone.Canvas().Fill(span.left, c.top, span.right, c.bottom, colour);
        EXPECT_EQ(together.bytes, alone.bytes);
    }
}

TEST(PixelCanvas, StampsLandTopRowFirstAndAreClipped)
{
    // A 3 x 2 block, each pixel's bytes naming its place: blue = column, green = row.
    std::vector<uint8_t> block;
    for (uint8_t y = 0; y < 2; ++y)
        for (uint8_t x = 0; x < 3; ++x) block.insert(block.end(), {x, y, 0xEE});
    struct At {
        int64_t x, y;
    };
    for (const At at : {At{0, 0}, At{2, 2}, At{-2, -1}, At{4, 3}, At{5, 0}, At{0, -2}}) {
        const int64_t bx = at.x, by = at.y;
        SCOPED_TRACE(testing::Message() << "at " << bx << "," << by);
        Bytes canvas{5, 4};
        canvas.Canvas().Stamp(block.data(), 3, 2, bx, by);
        canvas.Expect([&](int32_t x, int32_t y, bool& painted) {
            painted = x - bx >= 0 && x - bx < 3 && y - by >= 0 && y - by < 2;
            return Bgr{uint8_t(x - bx), uint8_t(y - by), 0xEE};
        });
    }
}

TEST(TextPlacement, FollowsDrawTextsArithmetic)
{
    struct Case {
        int32_t left, top, right, bottom, width, height;
        TextAcross across;
        TextDown down;
        int32_t x, y;
    };
    using A = TextAcross;
    using D = TextDown;
    const Case cases[] = {
        {10, 20, 30, 40, 6, 8, A::Left, D::Top, 10, 20},
        {10, 20, 31, 40, 6, 8, A::Centre, D::Top, 17, 20},   // (10 + 31 - 6) / 2 = 17
        {40, 0, 43, 32, 25, 16, A::Centre, D::Top, 29, 0},   // a label wider than a thin line
        {3, 0, 4, 32, 26, 16, A::Centre, D::Bottom, -9, 16}, // (3 + 4 - 26) / 2 rounds toward zero
        {10, 20, 30, 40, 6, 8, A::Right, D::Bottom, 24, 32},
        {0, 5, 18, 12, 20, 13, A::Left, D::Centre, 0, 2},   // 5 + 7 / 2 - 13 / 2
        {0, 4, 18, 13, 20, 13, A::Right, D::Centre, -2, 2}, // 4 + 9 / 2 - 6
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << "," << c.right << "," << c.bottom);
        const TextOrigin at = SingleLineOrigin(c.left, c.top, c.right, c.bottom, c.width, c.height, c.across, c.down);
        EXPECT_EQ(at.x, c.x);
        EXPECT_EQ(at.y, c.y);
    }
}
