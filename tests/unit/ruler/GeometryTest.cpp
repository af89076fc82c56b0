#include "ruler/Geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::vector<ScaleBarStyle> Bars(uint32_t flags, const WindowRect& client, int32_t s)
{
    std::vector<ScaleBarStyle> bars;
    LayoutScaleBars(bars, flags, client, s);
    return bars;
}

} // namespace

TEST(Geometry, LineRectCoversLPlusOnePixelsAndReachesIntoTheBars)
{
    const WindowRect client(0, 0, 400, 300);
    EXPECT_EQ(WindowRect(140, 20, 142, 280), LineRect(client, 100, true, 40, 1));
    // L = 4: painted columns S+v-2 .. S+v+1, the rectangle one wider.
    EXPECT_EQ(WindowRect(138, 20, 143, 280), LineRect(client, 100, true, 40, 4));
    EXPECT_EQ(WindowRect(20, 138, 380, 144), LineRect(client, 100, false, 40, 5));
    EXPECT_TRUE(LineShown(client, 319, true, 40));
    EXPECT_FALSE(LineShown(client, 320, true, 40));
    EXPECT_FALSE(LineShown(client, 220, false, 40));
}

TEST(Geometry, RegionIsBarsCornersAndLinesOnly)
{
    const WindowRect client(0, 0, 400, 300);
    auto rects = RegionRects(client, Bars(0x1F1, client, 40), 40, 4, {100, 320}, {50});
    const std::vector<WindowRect> expected = {
        {40, 0, 400, 40},                          // top bar over the top-right corner
        {40, 260, 400, 300},                       // bottom bar over the bottom-right corner
        {0, 40, 40, 300},                          // left bar over the bottom-left corner
        {360, 40, 400, 300},                       // right bar
        {0, 0, 40, 40},      {360, 260, 400, 300}, // the two corner squares
        {138, 40, 142, 260},                       // X line 100; 320 is beyond the inner width
        {40, 88, 360, 92},                         // Y line 50
    };
    EXPECT_EQ(expected, rects);

    // No bars at all: the window is the two corner squares (and lines).
    rects = RegionRects(client, Bars(0x101, client, 40), 40, 1, {}, {});
    EXPECT_EQ((std::vector<WindowRect>{{0, 0, 40, 40}, {360, 260, 400, 300}}), rects);
}

TEST(Geometry, HitTestZonesAroundTheEdges)
{
    const WindowRect w(100, 100, 500, 400);
    EXPECT_EQ(HitCaption, RulerHitTest(w, 100, 100)) << "the move box wins over the corner";
    EXPECT_EQ(HitCaption, RulerHitTest(w, 121, 121));
    EXPECT_EQ(HitBottomRight, RulerHitTest(w, 478, 378));
    EXPECT_EQ(HitBottomRight, RulerHitTest(w, 499, 399));
    // 30, 15 and 5 pixels inside the top edge.
    EXPECT_EQ(HitDefault, RulerHitTest(w, 300, 130));
    EXPECT_EQ(HitCaption, RulerHitTest(w, 300, 115));
    EXPECT_EQ(HitTop, RulerHitTest(w, 300, 105));
    EXPECT_EQ(HitCaption, RulerHitTest(w, 300, 108));
    EXPECT_EQ(HitDefault, RulerHitTest(w, 300, 120));
    EXPECT_EQ(HitLeft, RulerHitTest(w, 100, 250));
    EXPECT_EQ(HitRight, RulerHitTest(w, 499, 250));
    EXPECT_EQ(HitBottom, RulerHitTest(w, 300, 399));
    EXPECT_EQ(HitTopRight, RulerHitTest(w, 495, 102));
    EXPECT_EQ(HitBottomLeft, RulerHitTest(w, 102, 395));
    EXPECT_EQ(HitDefault, RulerHitTest(w, 500, 250)) << "outside";
}

TEST(Geometry, MenuClickAllowsFourPixelsLeftAndUpOnly)
{
    EXPECT_TRUE(IsMenuClick(50, 50, 50, 50));
    EXPECT_TRUE(IsMenuClick(50, 50, 46, 46));
    EXPECT_FALSE(IsMenuClick(50, 50, 45, 50));
    EXPECT_FALSE(IsMenuClick(50, 50, 51, 50)) << "one pixel to the right is targeting";
    EXPECT_FALSE(IsMenuClick(50, 50, 50, 51));
}

TEST(Geometry, FitAroundCutsTheTargetToTheMonitor)
{
    const WindowRect monitor(0, 0, 1280, 1024);
    EXPECT_EQ(WindowRect(60, 60, 540, 440), FitRulerAround({100, 100, 500, 400}, monitor, 40));
    EXPECT_EQ(WindowRect(-50, -30, 1310, 1074), FitRulerAround({-10, 10, 3000, 2000}, monitor, 40));
}

TEST(Geometry, StoredRectanglesAreMadeUsable)
{
    const WindowRect fallback(0, 0, 340, 290);
    EXPECT_EQ(WindowRect(10, 20, 410, 320), SaneWindowRect({10, 20, 410, 320}, fallback));
    EXPECT_EQ(fallback, SaneWindowRect({300, 50, 200, 400}, fallback));
    EXPECT_EQ(fallback, SaneWindowRect({0, 0, 0, 0}, fallback));
    const WindowRect huge = SaneWindowRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, fallback);
    EXPECT_EQ(kMaxWindowSide, huge.Width());
    EXPECT_EQ(kMaxWindowSide, huge.Height());
    EXPECT_LT(huge.left, huge.right);

    const WindowRect monitor(0, 0, 1280, 1024);
    EXPECT_EQ(WindowRect(880, 724, 1280, 1024), MoveOntoMonitor({5000, 4000, 5400, 4300}, monitor));
    EXPECT_EQ(WindowRect(0, 0, 400, 300), MoveOntoMonitor({-900, -700, -500, -400}, monitor));
    EXPECT_EQ(WindowRect(0, 0, 2000, 300), MoveOntoMonitor({3000, 0, 5000, 300}, monitor))
        << "a window wider than the monitor keeps its left edge on it";
}

TEST(Geometry, LineHitTestTakesTheNearestShownLineWithinThreePixels)
{
    const WindowRect client(0, 0, 400, 300);
    // X line 100 is client column 140; its rectangle runs from y 20 to 280.
    const std::vector<int32_t> xs = {100, 101, 320}, ys = {100};
    LineHit hit = HitTestLineLists(client, 143, 30, xs, ys, 40, 1);
    EXPECT_EQ(HotX, hit.kind);
    EXPECT_EQ(1, hit.index) << "both within reach: 101 is the nearer";
    EXPECT_EQ(1, HitTestLineLists(client, 143, 30, {100, 103}, {}, 40, 1).index) << "the line under the pointer";
    EXPECT_EQ(0, HitTestLineLists(client, 141, 30, {100, 103}, {}, 40, 1).index);
    EXPECT_EQ(1, HitTestLineLists(client, 140, 30, {100, 100}, {}, 40, 1).index) << "one place: the one on top";
    EXPECT_EQ(HotNone, HitTestLineLists(client, 146, 30, xs, ys, 40, 1).kind) << "4 px right of 101's rectangle";
    EXPECT_EQ(HotX, HitTestLineLists(client, 137, 17, xs, ys, 40, 1).kind) << "3 px above the rectangle";
    EXPECT_EQ(HotNone, HitTestLineLists(client, 137, 16, xs, ys, 40, 1).kind);
    // Where an X and a Y line cross, the horizontal one is drawn on top and taken.
    EXPECT_EQ(HotY, HitTestLineLists(client, 140, 140, xs, ys, 40, 1).kind);
    hit = HitTestLineLists(client, 30, 140, xs, ys, 40, 1);
    EXPECT_EQ(HotY, hit.kind);
    EXPECT_EQ(0, hit.index);
    // 320 = W - 2S is neither drawn nor in the region, so the right bar there is not a line.
    EXPECT_EQ(HotNone, HitTestLineLists(client, 360, 30, {320}, {}, 40, 1).kind);
    EXPECT_EQ(HotNone, HitTestLineLists(client, 250, 260, {}, {220}, 40, 1).kind);
}

TEST(Geometry, DraggedLinesStayInTheInnerAreaAndAddsFollowTheBar)
{
    const WindowRect client(0, 0, 400, 300);
    EXPECT_EQ(0, ClampLineValue(-500, client, true, 40));
    EXPECT_EQ(320, ClampLineValue(10000, client, true, 40));
    EXPECT_EQ(220, ClampLineValue(int64_t(INT32_MAX) + 5, client, false, 40));
    EXPECT_EQ(0, ClampLineValue(5, WindowRect(0, 0, 60, 60), true, 40)) << "narrower than 2S";

    std::vector<ScaleBarStyle> bars;
    LayoutScaleBars(bars, 0x1F1, client, 40);
    const LineToAdd top = LineAddedAt(bars, 140, 30, 40);
    EXPECT_EQ(HotX, top.kind);
    EXPECT_EQ(100, top.value);
    const LineToAdd left = LineAddedAt(bars, 30, 140, 40);
    EXPECT_EQ(HotY, left.kind);
    EXPECT_EQ(100, left.value);
    EXPECT_EQ(HotNone, LineAddedAt(bars, 200, 150, 40).kind) << "inner area";
    EXPECT_EQ(HotNone, LineAddedAt(bars, 10, 10, 40).kind) << "corner square";
    LayoutScaleBars(bars, 0x1B1, client, 40); // bottom bar hidden
    EXPECT_EQ(HotNone, LineAddedAt(bars, 140, 280, 40).kind);
}

TEST(Geometry, LinesNearTheIntegerLimitsDoNotOverflow)
{
    const WindowRect client(0, 0, 400, 300);
    const WindowRect high = LineRect(client, INT32_MAX, true, 40, 7);
    EXPECT_LT(high.left, high.right + 1) << "no wrap-around";
    EXPECT_GT(high.left, 0);
    const WindowRect low = LineRect(client, INT32_MIN, false, 40, 7);
    EXPECT_LE(low.top, low.bottom);
    EXPECT_LT(low.bottom, 0);
    // A line far left of the inner area is listed as shown (v < W - 2S) and must not wrap.
    const auto rects = RegionRects(client, {}, 40, 9, {INT32_MIN}, {INT32_MIN + 1});
    ASSERT_EQ(4u, rects.size());
    EXPECT_LT(rects[2].right, 0);
    EXPECT_LE(rects[2].left, rects[2].right);
    EXPECT_LT(rects[3].bottom, 0);
    EXPECT_EQ(HotNone, HitTestLineLists(client, 10, 10, {INT32_MIN}, {INT32_MIN}, 40, 9).kind);
}

TEST(Geometry, ShapeLeavesOutLinesThatCrossTooOften)
{
    const WindowRect client(0, 0, 1920, 1080);
    std::vector<int32_t> xs, ys;
    for (int i = 0; i < 200; ++i) xs.push_back(i * 9), ys.push_back(i * 5);
    EXPECT_EQ(2u, RegionRects(client, {}, 40, 1, xs, ys).size()) << "40000 crossings: bars and corners only";
    ys.resize(100); // 20000 crossings: still in the shape
    EXPECT_EQ(2u + 300u, RegionRects(client, {}, 40, 1, xs, ys).size());
    ys.push_back(2000); // not shown, so it crosses nothing
    EXPECT_EQ(2u + 300u, RegionRects(client, {}, 40, 1, xs, ys).size());
    ys.push_back(7);
    EXPECT_EQ(2u, RegionRects(client, {}, 40, 1, xs, ys).size());
}

TEST(Geometry, SurfaceIsKeptWhileTheClientFitsAndIsNotMuchSmaller)
{
    const SurfaceSize none;
    const SurfaceSize first = SurfaceSizeFor(none, 1920, 1080);
    EXPECT_EQ(1920, first.width);
    EXPECT_EQ(1152, first.height);
    const SurfaceSize step = SurfaceSizeFor(first, 1900, 1060);
    EXPECT_EQ(first.width, step.width);
    EXPECT_EQ(first.height, step.height);
    EXPECT_EQ(2048, SurfaceSizeFor(first, 1921, 1080).width) << "grows past the old one";
    EXPECT_EQ(512, SurfaceSizeFor(first, 400, 300).width) << "a much smaller client gives memory back";
    EXPECT_EQ(first.width, SurfaceSizeFor(first, 0, 0).width) << "minimised";
    EXPECT_EQ(INT32_MAX, SurfaceSizeFor(none, INT32_MAX - 5, 10).width) << "no overflow";
}

TEST(Geometry, FrameScalesWithTheScreenWhileMeasuresStayInDevicePixels)
{
    struct Case {
        int32_t dpi, bar, box, margin, band;
    };
    for (const Case& c :
         {Case{96, 40, 22, 8, 20}, Case{120, 50, 28, 10, 25}, Case{144, 60, 33, 12, 30}, Case{192, 80, 44, 16, 40}}) {
        EXPECT_EQ(c.bar, FramePixels(40, c.dpi)) << c.dpi;
        const WindowRect w(100, 100, 900, 700);
        // The move box and size grip grow with the screen.
        EXPECT_EQ(HitCaption, RulerHitTest(w, 100 + c.box - 1, 100 + c.box - 1, c.dpi)) << c.dpi;
        EXPECT_EQ(HitBottomRight, RulerHitTest(w, 900 - c.box, 700 - c.box, c.dpi)) << c.dpi;
        EXPECT_EQ(HitTop, RulerHitTest(w, 500, 100 + c.margin - 1, c.dpi)) << c.dpi;
        EXPECT_EQ(HitCaption, RulerHitTest(w, 500, 100 + c.margin, c.dpi)) << c.dpi;
        EXPECT_EQ(HitCaption, RulerHitTest(w, 500, 100 + c.band - 1, c.dpi)) << c.dpi;
        EXPECT_EQ(HitDefault, RulerHitTest(w, 500, 100 + c.band, c.dpi)) << c.dpi;
    }
    EXPECT_EQ(5, FramePixels(3, 144)) << "4.5 rounds up";
    EXPECT_EQ(INT32_MAX, FramePixels(INT32_MAX, 192)) << "no overflow";

    // Moving to a screen of another scale keeps the inner area where it is.
    const WindowRect at96(100, 100, 820, 660); // inner (140, 140, 780, 620)
    const WindowRect at144 = KeepInnerArea(at96, 40, 60);
    EXPECT_EQ(WindowRect(80, 80, 840, 680), at144);
    EXPECT_EQ(at144.Deflated(60), at96.Deflated(40));
    EXPECT_EQ(at96, KeepInnerArea(at144, 60, 40));
}
