#include "measure/PointerMeasure.h"

#include <gtest/gtest.h>

namespace {

using Colour = uint32_t; // 0xRRGGBB
constexpr Colour kGrey = 0x808080, kBlue = 0x2040C0, kWhite = 0xFFFFFF, kRed = 0xE02020;

// A frozen frame (bottom-up, as a grab gives it, 3 or 4 bytes a pixel) over monitors,
// filled in screen coordinates.
struct Frame {
    int32_t pixelBytes, rowBytes;
    std::vector<uint8_t> bits;
    FrozenFrame frame;
    Frame(WindowRect all, std::vector<WindowRect> monitors, Colour fill, int32_t bytesPerPixel = 3)
        : pixelBytes(bytesPerPixel), rowBytes((all.Width() * bytesPerPixel + 3) / 4 * 4),
          bits(static_cast<size_t>(rowBytes * all.Height()))
    {
        frame = {BottomUpBlock(bits.data(), all.Width(), all.Height(), bytesPerPixel), all.left, all.top,
                 std::move(monitors)};
        Fill(all, fill);
    }
    void Fill(const WindowRect& r, Colour c)
    {
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x) {
                // Laid out as the DIB is, not through the block, whose layout is under test.
                const int32_t row = frame.block.height - 1 - (y - frame.top);
                uint8_t* p = bits.data() + row * rowBytes + (x - frame.left) * pixelBytes;
                p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
            }
    }
};

} // namespace

TEST(PointerMeasure, SpansStopAtEdgesAndAtThePointersMonitor)
{
    // The frame as the mode keeps it (the screen's 32 bits) and as other grabs do (24).
    for (int32_t bytesPerPixel : {4, 3}) {
        // The primary, one monitor left of it, and one right of it reaching above it.
        Frame f({-400, -100, 800, 300}, {{0, 0, 400, 300}, {-400, 0, 0, 300}, {400, -100, 800, 200}}, kGrey,
                bytesPerPixel);
        f.Fill({100, 50, 300, 150}, kBlue);    // 200 x 100 on the primary
        f.Fill({350, 20, 450, 80}, kBlue);     // across the primary's right edge
        f.Fill({-300, 100, -100, 200}, kBlue); // on the left monitor
        const struct {
            MeasureKind kind;
            int32_t x, y, left, right, top, bottom;
        } cases[] = {
            {MeasureKind::Spacing, 150, 100, 100, 299, 50, 149},
            {MeasureKind::Horizontal, 150, 100, 100, 299, 100, 100},
            {MeasureKind::Vertical, 150, 100, 150, 150, 50, 149},
            {MeasureKind::Spacing, 360, 50, 350, 399, 20, 79}, // the primary's edge ends the panel
            {MeasureKind::Spacing, 420, 50, 400, 449, 20, 79}, // and so it does from the other side
            {MeasureKind::Spacing, 500, 150, 400, 799, -100, 199},
            {MeasureKind::Spacing, -200, 150, -300, -101, 100, 199},
            {MeasureKind::Spacing, -350, 250, -400, -1, 0, 299},
        };
        for (const auto& c : cases) {
            const EdgeArea a = MeasureSpan(f.frame, c.kind, c.x, c.y, 8);
            const bool across = c.kind != MeasureKind::Vertical, down = c.kind != MeasureKind::Horizontal;
            EXPECT_TRUE(a.valid && a.leftFound == across && a.rightFound == across && a.topFound == down &&
                        a.bottomFound == down);
            EXPECT_EQ(WindowRect(c.left, c.top, c.right, c.bottom), WindowRect(a.left, a.top, a.right, a.bottom))
                << c.x << "," << c.y << " at " << bytesPerPixel << " bytes a pixel";
        }
        // Inside the frame's bounding rect, yet on no monitor.
        EXPECT_FALSE(MeasureSpan(f.frame, MeasureKind::Spacing, 600, 250, 8).valid);
        EXPECT_FALSE(MeasureSpan(f.frame, MeasureKind::Spacing, 0, -1, 8).valid);
    }
}

TEST(PointerMeasure, BoxShrinksOntoWhatDiffersFromItsBorder)
{
    Frame f({-200, 0, 200, 200}, {{-200, 0, 200, 200}}, kWhite);
    f.Fill({-190, 0, -188, 200}, kGrey); // two grey columns down the box's left side
    f.Fill({-160, 40, -155, 50}, kRed);  // off-centre content
    f.Fill({50, 50, 60, 60}, 0xFAFAFA);  // within the tolerance of white
    f.Fill({150, 150, 152, 152}, kRed);
    const struct {
        WindowRect dragged, expected;
    } cases[] = {
        // The grey columns are on the border, but white is its most common colour.
        {{-190, 10, -140, 60}, {-190, 10, -155, 60}},  {{-180, 10, -100, 100}, {-160, 40, -155, 50}},
        {{-100, 100, -180, 10}, {-160, 40, -155, 50}}, // dragged up and to the left
        {{20, 20, 100, 100}, {20, 20, 100, 100}},      // nothing unlike inside: as dragged
        {{151, 140, 153, 160}, {151, 140, 153, 160}},  // under 3 px wide
        {{140, 140, 260, 170}, {150, 150, 152, 152}},  // past the frame: clipped, then shrunk
        {{-170, 45, -150, 48}, {-160, 45, -155, 48}},  // the content reaches the border
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, ShrinkBox(f.frame, c.dragged, 8)) << c.dragged.left;
}

TEST(PointerMeasure, LinesAnglesAndTheirConstraint)
{
    const struct {
        MeasurePoint a, b;
        int32_t dx, dy;
        double length, angle;
    } lines[] = {
        {{100, 300}, {140, 270}, 40, 30, 50, 36.8699},
        {{0, 0}, {-5, 0}, -5, 0, 5, 180},
        {{-10, -10}, {-13, -6}, -3, -4, 5, -126.8699},
        {{7, 7}, {7, 7}, 0, 0, 0, 0},
    };
    for (const auto& l : lines) {
        const LineReading r = ReadLine(l.a, l.b);
        EXPECT_TRUE(r.dx == l.dx && r.dy == l.dy && std::abs(r.length - l.length) < 1e-9) << l.b.x;
        EXPECT_NEAR(l.angle, r.angle, 1e-4);
    }
    const MeasurePoint a{100, 100};
    const MeasurePoint constrained[][2] = {{{140, 110}, {140, 100}}, {{140, 130}, {135, 135}},
                                           {{95, 60}, {100, 60}},    {{131, 70}, {131, 69}},
                                           {{60, 141}, {59, 141}},   {{100, 100}, {100, 100}}};
    for (const auto& c : constrained) EXPECT_EQ(c[1], ConstrainTo45(a, c[0])) << c[0].x << "," << c[0].y;

    EXPECT_NEAR(90, ArmsAngle({0, 0}, {10, 0}, {0, -10}), 1e-9);
    EXPECT_NEAR(180, ArmsAngle({0, 0}, {10, 0}, {-3, 0}), 1e-9);
    EXPECT_NEAR(45, ArmsAngle({5, 5}, {5, -5}, {15, -5}), 1e-9);
    EXPECT_EQ(0, ArmsAngle({0, 0}, {0, 0}, {4, 4}));
}

TEST(PointerMeasure, ToleranceStepsStopAtTheRangesEnds)
{
    const int32_t steps[][3] = {{8, 1, 9},    {15, 1, 16},  {16, 1, 20}, {253, 1, 255}, {255, 1, 255},  {0, -1, 0},
                                {18, -1, 16}, {16, -1, 15}, {300, 0, 8}, {-5, 1, 9},    {8, 1000, 255}, {8, -3, 5}};
    for (const auto& s : steps) EXPECT_EQ(s[2], StepTolerance(s[0], s[1])) << s[0] << " by " << s[1];
    EXPECT_EQ(MeasureKind::Spacing, NextMeasureKind(MeasureKind::Angle));
    EXPECT_EQ(MeasureKind::Box, NextMeasureKind(MeasureKind::Vertical));
}
