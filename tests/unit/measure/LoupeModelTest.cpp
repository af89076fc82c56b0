#include "measure/LoupeModel.h"

#include "ruler/RulerOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

bool Overlap(const WindowRect& a, const WindowRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const WindowRect& inner, const WindowRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

TEST(LoupeModel, ReadoutHasSignedRulerCoordinatesAndIgnoresTheColoursHighByte)
{
    EXPECT_EQ(L"X 160  Y 120  #00C000  (0, 192, 0)", LoupeReadout(160, 120, 0x0000C000));
    EXPECT_EQ(L"X -5  Y -1234  #0180FF  (1, 128, 255)", LoupeReadout(-5, -1234, 0x00FF8001));
    // A value with a palette or alpha byte on top still reads as its colour.
    EXPECT_EQ(LoupeReadout(0, 7, 0x0000C000), LoupeReadout(0, 7, 0xFF00C000));
    EXPECT_EQ(L"#EFCDAB", LoupeColorText(0x01ABCDEF));
}

TEST(LoupeModel, ZoomStepsStopAtTheEndsAndAnUnknownZoomGivesTheDefault)
{
    std::vector<int32_t> up = {2}, down = {32};
    for (int i = 0; i < 5; ++i) up.push_back(StepLoupeZoom(up.back(), 1));
    for (int i = 0; i < 5; ++i) down.push_back(StepLoupeZoom(down.back(), -1));
    EXPECT_EQ((std::vector<int32_t>{2, 4, 8, 16, 32, 32}), up);
    EXPECT_EQ((std::vector<int32_t>{32, 16, 8, 4, 2, 2}), down);
    EXPECT_EQ(RulerOptions().LoupeZoom, StepLoupeZoom(12, 1));
    EXPECT_EQ(8, StepLoupeZoom(0, -1));
}

TEST(LoupeModel, PlacementFlipsAtEveryCornerOfTheWorkArea)
{
    const WindowRect work(0, 0, 1280, 984); // a taskbar below
    const LoupeSize size = LoupeSizeAt(96);
    EXPECT_EQ(170, size.width);
    EXPECT_EQ(170, size.imageSide);
    EXPECT_EQ(202, size.height);
    const int32_t gap = LoupeGap(96, size.imageSide, 8);
    EXPECT_EQ(24, gap);
    auto place = [&](int x, int y) { return PlaceLoupe(x, y, size.width, size.height, work, gap); };
    EXPECT_EQ(WindowRect(24, 24, 194, 226), place(0, 0));
    EXPECT_EQ(WindowRect(1279 - 24 - 170, 24, 1279 - 24, 226), place(1279, 0));
    EXPECT_EQ(WindowRect(24, 983 - 24 - 202, 194, 983 - 24), place(0, 983));
    EXPECT_EQ(WindowRect(1279 - 194, 983 - 226, 1279 - 24, 983 - 24), place(1279, 983));
    // Over the taskbar, below the work area: above the pointer, on the monitor.
    EXPECT_EQ(WindowRect(624, 1000 - 226, 794, 1000 - 24), place(600, 1000));
    // Exactly fitting on the right and below is no reason to flip.
    EXPECT_EQ(WindowRect(1280 - 170, 984 - 202, 1280, 984), place(1280 - 194, 984 - 226));
}

TEST(LoupeModel, PlacementFollowsTheScaleOfEachMonitor)
{
    // A 96 DPI monitor with a 150 % one to its right, higher up.
    const WindowRect left(0, 0, 1920, 1040), right(1920, -300, 1920 + 2560, 1140);
    const LoupeSize small = LoupeSizeAt(96), large = LoupeSizeAt(144);
    EXPECT_EQ(255, large.width);
    EXPECT_EQ(303, large.height);
    // Near the shared edge on the left monitor: flipped left, never onto the other monitor.
    const WindowRect onLeft =
        PlaceLoupe(1900, 500, small.width, small.height, left, LoupeGap(96, small.imageSide, 8));
    EXPECT_EQ(WindowRect(1900 - 24 - 170, 524, 1900 - 24, 726), onLeft);
    // Just across it: right of the pointer, at the larger scale and gap.
    const int32_t gap = LoupeGap(144, large.imageSide, 8);
    EXPECT_EQ(36, gap);
    EXPECT_EQ(WindowRect(1956, -264, 1956 + 255, 39), PlaceLoupe(1920, -300, large.width, large.height, right, gap));
    EXPECT_EQ(WindowRect(4479 - 36 - 255, 1139 - 36 - 303, 4479 - 36, 1139 - 36),
              PlaceLoupe(4479, 1139, large.width, large.height, right, gap));
}

TEST(LoupeModel, TheLoupeNeverCoversThePixelsItReads)
{
    const WindowRect work(-1280, 0, 1280, 1024);
    for (int32_t dpi : {96, 120, 144, 192}) {
        const LoupeSize size = LoupeSizeAt(dpi);
        for (int32_t zoom : kLoupeZooms) {
            const int32_t gap = LoupeGap(dpi, size.imageSide, zoom);
            for (int32_t x = work.left; x < work.right; x += 37) {
                for (int32_t y = work.top; y < work.bottom; y += 29) {
                    const WindowRect placed = PlaceLoupe(x, y, size.width, size.height, work, gap);
                    const WindowRect grabbed = LoupeGrabRect(x, y, size.imageSide, zoom);
                    ASSERT_FALSE(Overlap(placed, grabbed)) << dpi << " dpi, zoom " << zoom << " at " << x << "," << y;
                    ASSERT_TRUE(Inside(placed, work)) << x << "," << y;
                }
            }
        }
    }
}

TEST(LoupeModel, MagnifiedImageCentresThePointerPixelWithGridAndRing)
{
    // A 5 x 5 block in the middle of the grab, each pixel its own colour; the centre one is 0x00C000.
    std::vector<uint32_t> block(25);
    for (uint32_t i = 0; i < 25; ++i) block[i] = 0x100000 * (i + 1) + 0x33;
    block[12] = 0x00C000;
    const int32_t side = 64;
    for (int32_t zoom : {2, 4, 8, 16}) {
        const int32_t radius = LoupeGrabRadius(side, zoom), grabSide = 2 * radius + 1;
        std::vector<uint32_t> grab(static_cast<size_t>(grabSide * grabSide), 0x808080);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) grab[static_cast<size_t>((radius - 2 + y) * grabSide + radius - 2 + x)] = block[y * 5 + x];
        std::vector<uint32_t> image(side * side, 0xDEADBE);
        MagnifyBlock(grab.data(), grabSide, grabSide, zoom, image.data(), side, side);

        const int32_t c = LoupeImageCentre(side), origin = (side - zoom) / 2;
        EXPECT_EQ(0x00C000u, image[c * side + c]) << zoom;
        // The centre cell keeps the pixel's colour to its far corner; the ring lies outside it.
        EXPECT_EQ(0x00C000u, image[(origin + zoom - 1) * side + origin + zoom - 1]) << zoom;
        EXPECT_EQ(0xFFFFFFu, image[(origin - 1) * side + c]) << zoom;
        EXPECT_EQ(0x000000u, image[(origin + zoom + 1) * side + c]) << zoom;
        EXPECT_EQ(0, std::count(image.begin(), image.end(), 0xDEADBEu)) << zoom;
        // The cell above the centre (below the ring from zoom 4): its first row is a grid line from zoom 8 up.
        if (zoom < 4) continue;
        EXPECT_EQ(block[7], image[(origin - zoom + 1) * side + c]) << zoom;
        if (zoom >= 8)
            EXPECT_NE(block[7], image[(origin - zoom) * side + c]) << zoom;
        else
            EXPECT_EQ(block[7], image[(origin - zoom) * side + c]) << zoom;
    }
    // Beyond the block the image is black; a bottom-up block reads from its top row.
    std::vector<uint32_t> image(side * side, 0xDEADBE);
    MagnifyBlock(block.data() + 20, -5, 5, 2, image.data(), side, side);
    EXPECT_EQ(0u, image[0]);
    EXPECT_EQ(block[12], image[LoupeImageCentre(side) * side + LoupeImageCentre(side)]);
    EXPECT_EQ(block[1], image[(LoupeImageCentre(side) + 4) * side + LoupeImageCentre(side) - 3]);
}
