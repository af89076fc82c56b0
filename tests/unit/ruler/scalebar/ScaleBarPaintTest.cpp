#include "ruler/scalebar/ScaleBarStyle.h"

#include "framework/DibSurface.h"

#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

const COLORREF kUntouched = RGB(0x55, 0x55, 0x55); // the surface before painting
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGrey = RGB(128, 128, 128);

// Paints into a 24-bit surface filled with kUntouched and reads pixels back
// from its bytes. Text checks look only for "ink" (pixels that are neither the
// background nor untouched), so they hold for any font.
class ScaleBarPaint : public testing::Test {
protected:
    void SetUp() override { Reset(400, 300); }

    void Reset(int width, int height)
    {
        ASSERT_TRUE(m_surface.Create(width, height, 24));
        m_surface.Fill(0x55);
    }

    static ScaleBarStyle Bar(uint32_t flags)
    {
        ScaleBarStyle bar;
        bar.Layout(flags, WindowRect(0, 0, 400, 300), 40);
        return bar;
    }

    HDC Dc() const { return m_surface.GetDC(); }

    COLORREF Pixel(int x, int y) const { return SurfacePixel(m_surface, x, y); }
    int Count(COLORREF colour, int left, int top, int right, int bottom) const
    {
        return CountColour(m_surface, colour, left, top, right, bottom);
    }

    int Ink(int left, int top, int right, int bottom) const
    {
        const int all = (right - left) * (bottom - top);
        return all - Count(kWhite, left, top, right, bottom) - Count(kUntouched, left, top, right, bottom);
    }

    // Leftmost to rightmost ink column in the area, 0 when there is no ink.
    int InkWidth(int left, int top, int right, int bottom) const
    {
        int first = -1, last = -1;
        for (int x = left; x < right; ++x)
            if (Ink(x, top, x + 1, bottom) > 0) {
                if (first < 0) first = x;
                last = x;
            }
        return first < 0 ? 0 : last - first + 1;
    }

    // A tick of `length` pixels from (x, y) in direction (dx, dy), then `after`.
    void ExpectTick(int x, int y, int dx, int dy, int length, COLORREF colour, COLORREF after) const
    {
        for (int i = 0; i < length; ++i)
            EXPECT_EQ(Pixel(x + i * dx, y + i * dy), colour) << "at " << x + i * dx << "," << y + i * dy;
        EXPECT_EQ(Pixel(x + length * dx, y + length * dy), after)
            << "after " << x + length * dx << "," << y + length * dy;
    }

    DibSurface m_surface;
};

TEST_F(ScaleBarPaint, TopBarMatchesTheWorkedExample)
{
    const ScaleBarStyle bar = Bar(0x180);
    ASSERT_EQ(bar.Rect, WindowRect(40, 0, 360, 40));
    bar.Paint(Dc());

    // Ticks start on row 40, the inner area's first row, and grow upwards.
    ExpectTick(45, 40, 0, -1, 10, kBlack, kWhite);
    ExpectTick(355, 40, 0, -1, 10, kBlack, kWhite);
    ExpectTick(90, 40, 0, -1, 13, kMagenta, kWhite);
    ExpectTick(290, 40, 0, -1, 13, kMagenta, kWhite);
    ExpectTick(140, 40, 0, -1, 20, kRed, kWhite);
    ExpectTick(340, 40, 0, -1, 20, kRed, kWhite);
    // Row 40 holds every tick once, the longer family winning.
    EXPECT_EQ(Count(kBlack, 0, 40, 400, 41), 57);
    EXPECT_EQ(Count(kMagenta, 0, 40, 400, 41), 3);
    EXPECT_EQ(Count(kRed, 0, 40, 400, 41), 3);
    // No tick at either end; background over the bar and one column to its left.
    EXPECT_EQ(Pixel(40, 40), kUntouched);
    EXPECT_EQ(Pixel(40, 35), kWhite);
    EXPECT_EQ(Pixel(360, 40), kUntouched);
    EXPECT_EQ(Pixel(39, 35), kWhite);
    EXPECT_EQ(Pixel(38, 35), kUntouched);
    EXPECT_EQ(Pixel(360, 35), kUntouched);
    EXPECT_EQ(Pixel(39, 40), kUntouched);
    // Grey numbers against the top edge at the big ticks, nothing between them.
    EXPECT_GT(Count(kGrey, 110, 0, 170, 20), 0);
    EXPECT_GT(Ink(210, 0, 270, 20), 0);
    EXPECT_GT(Ink(310, 0, 360, 20), 0);
    EXPECT_EQ(Ink(60, 0, 110, 20), 0);
}

TEST_F(ScaleBarPaint, OtherBarsGrowTicksFromTheirInnerEdge)
{
    // Numbers off: the vertical bars' numbers would cross their big ticks.
    Bar(0x040).Paint(Dc()); // (40, 260, 360, 300)
    ExpectTick(45, 260, 0, 1, 10, kBlack, kWhite);
    ExpectTick(140, 260, 0, 1, 20, kRed, kWhite);
    EXPECT_EQ(Pixel(100, 259), kWhite);
    EXPECT_EQ(Pixel(39, 290), kWhite);
    EXPECT_EQ(Pixel(360, 290), kUntouched);

    Bar(0x020).Paint(Dc()); // (0, 40, 40, 260)
    ExpectTick(40, 45, -1, 0, 10, kBlack, kWhite);
    ExpectTick(40, 90, -1, 0, 13, kMagenta, kWhite);
    ExpectTick(40, 140, -1, 0, 20, kRed, kWhite);
    EXPECT_EQ(Pixel(30, 39), kWhite);
    EXPECT_EQ(Pixel(30, 260), kUntouched);

    Bar(0x010).Paint(Dc()); // (360, 40, 400, 260)
    ExpectTick(360, 45, 1, 0, 10, kBlack, kWhite);
    ExpectTick(360, 90, 1, 0, 13, kMagenta, kWhite);
    ExpectTick(360, 240, 1, 0, 20, kRed, kWhite);
    EXPECT_EQ(Pixel(359, 100), kWhite);
    EXPECT_EQ(Pixel(380, 39), kWhite);
    EXPECT_EQ(Pixel(380, 260), kUntouched);
}

TEST_F(ScaleBarPaint, NumbersSitAgainstTheOuterEdge)
{
    for (uint32_t flags : {0x140u, 0x120u, 0x110u}) Bar(flags).Paint(Dc());
    EXPECT_GT(Count(kGrey, 110, 280, 170, 300), 0); // bottom: "100" at x = 140
    EXPECT_EQ(Ink(60, 280, 110, 300), 0);
    EXPECT_GT(Count(kGrey, 0, 125, 20, 155), 0); // left: "100" at y = 140
    EXPECT_EQ(Ink(0, 60, 20, 110), 0);
    EXPECT_GT(Count(kGrey, 380, 125, 400, 155), 0); // right
    EXPECT_EQ(Ink(380, 60, 400, 110), 0);
}

TEST_F(ScaleBarPaint, WithoutNumbersFlagNoTextAtAll)
{
    Bar(0x080).Paint(Dc());
    Bar(0x010).Paint(Dc());
    EXPECT_EQ(Count(kWhite, 40, 0, 360, 20), 320 * 20);
    EXPECT_EQ(Count(kWhite, 380, 40, 400, 260), 20 * 220);
    EXPECT_EQ(Count(kUntouched, 360, 0, 400, 39), 40 * 39); // no length label in the corner
    ExpectTick(140, 40, 0, -1, 20, kRed, kWhite);
}

TEST_F(ScaleBarPaint, LengthLabelIsOpaqueAndCoversWhatIsBeneath)
{
    ScaleBarStyle bar;
    bar.Flags = BarTop;
    bar.Rect = WindowRect(40, 0, 360, 12);
    bar.Paint(Dc());
    ASSERT_EQ(Pixel(355, 11), kBlack); // without numbers the tick shows

    SIZE cell = {};
    ASSERT_TRUE(GetTextExtentPoint32W(Dc(), L"320", 3, &cell));
    const int left = 360 - cell.cx / 2, right = left + cell.cx;
    ASSERT_TRUE(left < 355 && cell.cy > 12) << "the font is too small to cover the tick";

    bar.Flags = BarTop | BarNumbers;
    bar.Paint(Dc());
    // Inside the label's cell nothing beneath shows: no tick, and in the corner
    // square beyond the bar no untouched pixel.
    EXPECT_EQ(Count(kBlack, left + 1, 0, right - 1, cell.cy - 1), 0);
    EXPECT_EQ(Count(kUntouched, 361, 0, right - 1, cell.cy - 1), 0);
    EXPECT_GT(Ink(left, 0, right, cell.cy), 0);
    EXPECT_EQ(Pixel(right + 1, 5), kUntouched);
}

TEST_F(ScaleBarPaint, ThinBarsLoseTheShortTicks)
{
    struct Case {
        int thickness;
        COLORREF at45, at90, at140; // the pixel on the inner row
    };
    const Case cases[] = {
        {4, kBlack, kMagenta, kRed},
        {3, kUntouched, kMagenta, kRed},
        {2, kUntouched, kUntouched, kRed},
        {1, kUntouched, kUntouched, kUntouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thickness);
        m_surface.Fill(0x55);
        ScaleBarStyle bar;
        bar.Flags = BarTop;
        bar.Rect = WindowRect(40, 0, 360, c.thickness);
        bar.Paint(Dc());
        EXPECT_EQ(Pixel(45, c.thickness), c.at45);
        EXPECT_EQ(Pixel(90, c.thickness), c.at90);
        EXPECT_EQ(Pixel(140, c.thickness), c.at140);
    }
}

TEST_F(ScaleBarPaint, NonPositivePitchSkipsItsFamilyOnly)
{
    ScaleBarStyle bar = Bar(0x180);
    bar.ScaleS = 0;
    bar.ScaleM = -50;
    bar.Paint(Dc());
    EXPECT_EQ(Pixel(45, 40), kUntouched);
    EXPECT_EQ(Pixel(90, 40), kUntouched);
    ExpectTick(140, 40, 0, -1, 20, kRed, kWhite);

    m_surface.Fill(0x55);
    bar = Bar(0x180);
    bar.ScaleL = INT_MIN;
    bar.Paint(Dc());
    ExpectTick(140, 40, 0, -1, 13, kMagenta, kWhite);
    EXPECT_EQ(Ink(40, 0, 330, 20), 0);  // no regular numbers
    EXPECT_GT(Ink(345, 0, 375, 20), 0); // but the length label
}

TEST_F(ScaleBarPaint, FourDigitNumbersAreNotCut)
{
    Reset(1200, 60);
    ScaleBarStyle bar;
    bar.Flags = BarTop | BarNumbers;
    bar.Rect = WindowRect(100, 0, 5000, 40); // the length label lies off the surface
    bar.ScaleL = 1000;
    bar.Paint(Dc());
    const int thousand = InkWidth(1036, 0, 1164, 20);

    bar.ScaleL = 100;
    bar.Paint(Dc());
    const int hundred = InkWidth(136, 0, 264, 20);
    EXPECT_GT(hundred, 0);
    EXPECT_GT(thousand, hundred);
}

TEST_F(ScaleBarPaint, HugeCoordinatesNeitherWrapNorHang)
{
    // u0 is a multiple of 100 below -2^31 + 100, so the visible ticks fall on
    // multiples of 5 and the numbers exceed 2^31.
    ScaleBarStyle bar;
    bar.Flags = BarTop | BarNumbers;
    bar.Rect = WindowRect(INT_MIN + 48, 0, INT_MAX, 40);
    bar.Paint(Dc());
    EXPECT_EQ(Count(kBlack, 0, 40, 400, 41), 72);
    EXPECT_EQ(Count(kMagenta, 0, 40, 400, 41), 4);
    EXPECT_EQ(Count(kRed, 0, 40, 400, 41), 4);
    ExpectTick(100, 40, 0, -1, 20, kRed, kWhite);
    EXPECT_GT(Ink(60, 0, 140, 20), 0);

    // Thicknesses beyond 32 bits: big ticks of 2e9 pixels end exactly at the
    // origin's row (column); everything else lies far outside.
    m_surface.Fill(0x55);
    bar.Rect = WindowRect(40, -2000000000, 360, 2000000000);
    bar.Paint(Dc());
    EXPECT_EQ(Count(kRed, 0, 0, 400, 300), 3 * 299);
    ExpectTick(140, 299, 0, -1, 299, kRed, kWhite);
    EXPECT_EQ(Count(kWhite, 39, 0, 360, 300), 321 * 300 - 3 * 299);
    EXPECT_EQ(Count(kUntouched, 0, 0, 400, 300), 400 * 300 - 321 * 300);

    m_surface.Fill(0x55);
    bar.Flags = BarLeft | BarNumbers;
    bar.Rect = WindowRect(-2000000000, 40, 2000000000, 260);
    bar.Paint(Dc());
    ExpectTick(399, 240, -1, 0, 399, kRed, kWhite);
    EXPECT_EQ(Count(kWhite, 0, 39, 400, 260), 400 * 221 - 2 * 399);
    EXPECT_EQ(Count(kUntouched, 0, 0, 400, 300), 400 * 300 - 400 * 221);
}

TEST_F(ScaleBarPaint, StoredColoursUseOnlyTheirRgbBytes)
{
    // A high byte would make GDI read the value as a palette reference.
    ScaleBarStyle bar = Bar(0x080);
    bar.Back = 0xFF00FF00;
    bar.ColorL = 0x010000FF;
    bar.Paint(Dc());
    EXPECT_EQ(Pixel(100, 10), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(140, 30), kRed);
}

TEST_F(ScaleBarPaint, EmptyRectangleDrawsNothing)
{
    const size_t size = m_surface.Header()->biSizeImage;
    const std::vector<unsigned char> before(m_surface.Pixels(), m_surface.Pixels() + size);
    for (const WindowRect& r : {WindowRect(40, 0, 40, 40), WindowRect(360, 0, 40, 40), WindowRect()}) {
        ScaleBarStyle bar;
        bar.Flags = BarTop | BarNumbers;
        bar.Rect = r;
        bar.Paint(Dc());
    }
    Bar(BarNumbers).Paint(Dc()); // hidden bar
    EXPECT_EQ(std::memcmp(before.data(), m_surface.Pixels(), size), 0);
}

TEST_F(ScaleBarPaint, LeavesTheCallersDcAsItFoundIt)
{
    const HDC dc = Dc();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(7, 8, 9));
    SetTextColor(dc, RGB(10, 11, 12));
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    Bar(0x180).Paint(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), RGB(7, 8, 9));
    EXPECT_EQ(GetTextColor(dc), RGB(10, 11, 12));
}

} // namespace
