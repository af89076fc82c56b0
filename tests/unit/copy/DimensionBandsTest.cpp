#include "copy/DimensionBands.h"
#include "framework/DibSurface.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kMark = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);

// A 201 x 120 screen part with bands 40 wide, as the ruler's copy makes them.
PictureContent Measured(int32_t lineY)
{
    PictureContent content;
    content.area = {0, 0, 201, 120};
    content.innerWidth = 201;
    content.innerHeight = 120;
    content.band = 40;
    content.linesY = {lineY};
    content.markColour = kMark;
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(content.font), &content.font);
    return content;
}

} // namespace

TEST(DimensionBands, TheRightBandsLineBreaksAroundItsNumbersAndTheCornerNamesPixels)
{
    const DimensionBands bands(Measured(60));
    ASSERT_EQ(40, bands.RightDepth());
    DibSurface picture(241, 160, 24);
    bands.Draw(picture.GetDC());
    // The gaps' line runs down the middle of the right band's first row; where the two
    // numbers 60 stand, only their strokes are red.
    EXPECT_LT(CountColour(picture, kMark, 211, 0, 212, 120), 110);
    // The two bands' end marks stop short of the corner where they would meet.
    EXPECT_EQ(kWhite, SurfacePixel(picture, 200, 120));
    EXPECT_EQ(kWhite, SurfacePixel(picture, 201, 119));
    EXPECT_EQ(kMark, SurfacePixel(picture, 200, 130));
    EXPECT_LT(CountColour(picture, kWhite, 201, 120, 241, 160), 40 * 40) << "\"px\" in the corner";
    EXPECT_EQ(kWhite, SurfacePixel(picture, 201, 120)) << "clear of the end marks";
    // A gap of 20 has its number on a staggered row, half a band further out.
    EXPECT_EQ(60, DimensionBands(Measured(20)).RightDepth());
}

TEST(DimensionBands, InAUnitTheCornerNamesIt)
{
    PictureContent content = Measured(60);
    content.alongX = UnitAxis(Unit::Millimetres, {96, 5000}, 201);
    content.alongY = UnitAxis(Unit::Millimetres, {96, 5000}, 120);
    DibSurface picture(241, 160, 24);
    DimensionBands(content).Draw(picture.GetDC());
    EXPECT_LT(CountColour(picture, kWhite, 201, 120, 241, 160), 40 * 40) << "\"mm\" in the corner";
    EXPECT_EQ(kMark, SurfacePixel(picture, 200, 130)) << "the marks stay where they were";
}
