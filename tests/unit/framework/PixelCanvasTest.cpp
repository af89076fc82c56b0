#include "framework/PixelCanvas.h"
#include "framework/TextPlacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// A 5 x 4 canvas: rows of 15 bytes padded to 16, the bottom row first in memory.
constexpr int32_t kW = 5, kH = 4, kStride = 16;
constexpr uint8_t kGround = 0x11;

struct Area {
    int32_t left, top, right, bottom; // what must be painted, inside the canvas
};

// Every pixel inside `painted` holds the colour, every other pixel and every padding byte is
// untouched.
void ExpectPainted(const std::vector<uint8_t>& bytes, const Area& painted, Bgr colour)
{
    for (int32_t y = 0; y < kH; ++y) {
        const uint8_t* row = bytes.data() + (kH - 1 - y) * kStride;
        for (int32_t x = 0; x < kW; ++x) {
            const bool inside = x >= painted.left && x < painted.right && y >= painted.top && y < painted.bottom;
            EXPECT_EQ(row[x * 3], inside ? colour.blue : kGround) << x << "," << y;
            EXPECT_EQ(row[x * 3 + 1], inside ? colour.green : kGround) << x << "," << y;
            EXPECT_EQ(row[x * 3 + 2], inside ? colour.red : kGround) << x << "," << y;
        }
        EXPECT_EQ(row[kStride - 1], kGround) << "padding of row " << y;
    }
}

} // namespace

TEST(PixelCanvas, FillsAreClippedToTheCanvas)
{
    struct Case {
        int64_t left, top, right, bottom;
        Area painted;
    };
    const Case cases[] = {
        {1, 1, 3, 2, {1, 1, 3, 2}},     // inside, the top row counted from the top
        {0, 0, kW, kH, {0, 0, kW, kH}}, // all of it
        {-3, -2, 2, 1, {0, 0, 2, 1}},   // off the top-left corner
        {4, 3, 9, 9, {4, 3, 5, 4}},     // off the bottom-right corner
        {2, 0, 2, 4, {0, 0, 0, 0}},     // no width
        {3, 1, 1, 3, {0, 0, 0, 0}},     // reversed
        {INT64_MIN / 2, INT64_MIN / 2, INT64_MAX / 2, 1, {0, 0, kW, 1}},
        {kW, 0, kW + 4, kH, {0, 0, 0, 0}}, // just right of it
    };
    const Bgr colour{1, 2, 3};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " .. " << c.right << "," << c.bottom);
        std::vector<uint8_t> bytes(kStride * kH, kGround);
        PixelCanvas canvas(bytes.data(), kW, kH);
        canvas.Fill(c.left, c.top, c.right, c.bottom, colour);
        ExpectPainted(bytes, c.painted, colour);
    }
}

TEST(PixelCanvas, LongRowsArePaintedToTheirEnd)
{
    // Rows of 16 pixels and more are painted by copies of a growing run: every length and
    // offset must come out whole, with nothing past its end.
    constexpr int32_t w = 45, h = 4;
    const size_t stride = 136; // 135 bytes padded to 4
    const Bgr colour{4, 5, 6};
    for (int64_t left : {0, 3}) {
        for (int64_t count : {15, 16, 17, 24, 31, 33, 42}) {
            SCOPED_TRACE(testing::Message() << count << " pixels from " << left);
            std::vector<uint8_t> bytes(stride * h, kGround);
            PixelCanvas(bytes.data(), w, h).Fill(left, 1, left + count, 3, colour);
            for (int32_t y = 0; y < h; ++y) {
                const uint8_t* row = bytes.data() + (h - 1 - y) * stride;
                for (int32_t x = 0; x < w; ++x) {
                    const bool inside = y >= 1 && y < 3 && x >= left && x < left + count;
                    ASSERT_EQ(row[x * 3], inside ? colour.blue : kGround) << x << "," << y;
                    ASSERT_EQ(row[x * 3 + 2], inside ? colour.red : kGround) << x << "," << y;
                }
                ASSERT_EQ(row[stride - 1], kGround);
            }
        }
    }
}

TEST(PixelCanvas, ColumnsPaintWhatEachBandPaintsAlone)
{
    struct Case {
        std::vector<ColumnSpan> spans;
        int64_t top, bottom;
        size_t painted; // pixels
    };
    const Case cases[] = {
        {{{0, 1}, {2, 4}}, 1, 3, 6},
        {{{-2, 1}, {4, 9}, {3, 3}, {2, 1}}, -5, 2, 4}, // clipped, empty and reversed spans
        {{{1, 3}, {2, 5}}, 0, kH, 16},                 // overlapping
        {{{0, kW}}, 3, 3, 0},                          // no rows
    };
    const Bgr colour{9, 8, 7};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.spans.size() << " spans, rows " << c.top << " .. " << c.bottom);
        std::vector<uint8_t> together(kStride * kH, kGround), alone(kStride * kH, kGround);
        PixelCanvas(together.data(), kW, kH).FillColumns(c.spans, c.top, c.bottom, colour);
        PixelCanvas canvas(alone.data(), kW, kH);
        for (const ColumnSpan& span : c.spans) canvas.Fill(span.left, c.top, span.right, c.bottom, colour);
        EXPECT_EQ(together, alone);
        size_t painted = 0;
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x) painted += together[y * kStride + x * 3] == colour.blue;
        EXPECT_EQ(painted, c.painted);
    }
}

TEST(PixelCanvas, StampsLandTopRowFirstAndAreClipped)
{
    // A 3 x 2 block, each pixel's bytes naming its place: blue = column, green = row.
    std::vector<uint8_t> block;
    for (uint8_t y = 0; y < 2; ++y)
        for (uint8_t x = 0; x < 3; ++x) block.insert(block.end(), {x, y, 0xEE});
    struct Case {
        int64_t x, y;
    };
    for (const Case c : {Case{0, 0}, Case{2, 2}, Case{-2, -1}, Case{4, 3}, Case{5, 0}, Case{0, -2}}) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        std::vector<uint8_t> bytes(kStride * kH, kGround);
        PixelCanvas(bytes.data(), kW, kH).Stamp(block.data(), 3, 2, c.x, c.y);
        for (int32_t y = 0; y < kH; ++y) {
            const uint8_t* row = bytes.data() + (kH - 1 - y) * kStride;
            for (int32_t x = 0; x < kW; ++x) {
                const int64_t bx = x - c.x, by = y - c.y;
                const bool inside = bx >= 0 && bx < 3 && by >= 0 && by < 2;
                EXPECT_EQ(row[x * 3], inside ? bx : kGround) << x << "," << y;
                EXPECT_EQ(row[x * 3 + 1], inside ? by : kGround) << x << "," << y;
                EXPECT_EQ(row[x * 3 + 2], inside ? 0xEE : kGround) << x << "," << y;
            }
            EXPECT_EQ(row[kStride - 1], kGround);
        }
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
