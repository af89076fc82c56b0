// The ruler's composed image: background, bars, guide lines with labels, move box, grip.
#include "framework/DibCanvas.h"
#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "ruler/MensuroDlg.h"

#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const COLORREF kCyan = RGB(0, 255, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kLabelRed = RGB(255, 0, 0);

// Composes a 400 x 300 ruler (S = 40) into a surface, with no window behind it.
class ComposeImage : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_surface.Create(400, 300, 24));
        m_surface.Fill(0x55);
        LayoutBars(0x1F1);
    }

    // The ruler has no window: a change of its model is composed here, not laid out.
    void Change(const std::function<void(RulerModel&)>& change) { m_ruler.ChangeModel(change); }
    void LayoutBars(uint32_t flags)
    {
        Change([&](RulerModel& model) {
            model.bars.resize(4);
            LayoutScaleBars(model.bars, flags, m_client, 40);
        });
    }

    void Compose() { m_ruler.ComposeImage(m_surface.GetDC(), m_client); }

    COLORREF Pixel(int x, int y) const { return SurfacePixel(m_surface, x, y); }
    int Count(COLORREF colour, int left, int top, int right, int bottom) const
    {
        return CountColour(m_surface, colour, left, top, right, bottom);
    }

    const WindowRect m_client{0, 0, 400, 300};
    DibSurface m_surface;
    CMensuroDlg m_ruler;
};

} // namespace

TEST_F(ComposeImage, EveryFramePixelIsPaintedAndCornersShowTheTopBarBackground)
{
    Change([](RulerModel& model) { model.bars[0].Back = RGB(250, 240, 200); });
    Compose();
    // The inner area is cut out of the window's shape, so only the four bands are composed.
    const COLORREF unpainted = RGB(0x55, 0x55, 0x55);
    EXPECT_EQ(0, Count(unpainted, 0, 0, 400, 40));
    EXPECT_EQ(0, Count(unpainted, 0, 260, 400, 300));
    EXPECT_EQ(0, Count(unpainted, 0, 40, 40, 260));
    EXPECT_EQ(0, Count(unpainted, 360, 40, 400, 260));
    EXPECT_EQ(RGB(250, 240, 200), Pixel(390, 5)) << "top-right corner square";
    EXPECT_EQ(RGB(250, 240, 200), Pixel(5, 290)) << "bottom-left corner square";
}

TEST_F(ComposeImage, GuideLinesAreExactlyLinePixelsWide)
{
    Change([](RulerModel& model) {
        model.options.LineSize = 4;
        model.lines.ReplaceAll({100, 320, 0}, {50});
    });
    Compose();
    // L = 4 at v = 100: columns S+v-2 .. S+v+1 across the inner area.
    for (int x = 138; x <= 141; ++x) EXPECT_EQ(kCyan, Pixel(x, 150)) << x;
    EXPECT_NE(kCyan, Pixel(137, 150));
    EXPECT_NE(kCyan, Pixel(142, 150));
    EXPECT_EQ(kCyan, Pixel(139, 25)) << "the line reaches half-way into the top bar";
    EXPECT_NE(kCyan, Pixel(139, 19));
    // v = 320 is the inner width: listed but not drawn.
    EXPECT_EQ(0, Count(kCyan, 356, 100, 364, 240));
    // v = 0 overlaps the left bar by L/2.
    EXPECT_EQ(kCyan, Pixel(38, 150));
    for (int y = 88; y <= 91; ++y) EXPECT_EQ(kCyan, Pixel(200, y)) << y;
    EXPECT_NE(kCyan, Pixel(200, 92));
}

TEST_F(ComposeImage, LabelsSitOnTheBarsAtBothEndsOfALine)
{
    Change([](RulerModel& model) {
        model.options.LineSize = 1;
        model.lines.ReplaceAll({100}, {150});
    });
    Compose();
    EXPECT_GT(Count(kLabelRed, 120, 0, 162, 20), 0) << "top label of the vertical line";
    EXPECT_GT(Count(kLabelRed, 120, 280, 162, 300), 0) << "bottom label";
    EXPECT_GT(Count(kLabelRed, 0, 175, 20, 210), 0) << "left label of the horizontal line";
    EXPECT_GT(Count(kLabelRed, 380, 175, 400, 210), 0) << "right label";
    EXPECT_EQ(0, Count(kLabelRed, 60, 60, 340, 240)) << "no label in the inner area";
}

TEST_F(ComposeImage, HiddenBarsLeaveBackgroundAndMoveBoxAndGripStay)
{
    LayoutBars(0x101);
    Compose();
    EXPECT_EQ(0, Count(RGB(255, 0, 0), 40, 0, 360, 40)) << "no big ticks without the top bar";
    EXPECT_EQ(kWhite, Pixel(200, 20));
    // The etched move box and its icon, and the size grip, are drawn whatever the bars.
    EXPECT_NE(kWhite, Pixel(0, 0));
    EXPECT_GT(400 - Count(kWhite, 3, 3, 19, 19), 0) << "icon in the move box";
    EXPECT_NE(kWhite, Pixel(382, 282)) << "etched edge of the grip";
    EXPECT_GT(324 - Count(kWhite, 382, 282, 400, 300), 10) << "size grip";
    EXPECT_EQ(kWhite, Pixel(380, 280)) << "the grip starts 18 pixels from the corner";
}

TEST_F(ComposeImage, InAUnitTheBarsNumbersKeepClearOfTheLinesLabels)
{
    // 5 px per mm: the top bar's numbers stand every 50 px, " 20" (mm) on column 140; the
    // label of a line at 120 would cover its right part.
    Change([](RulerModel& model) {
        model.options.DisplayUnit = Unit::Millimetres;
        model.basis = {96, 5000};
    });
    const COLORREF grey = RGB(128, 128, 128);
    Compose();
    ASSERT_GT(Count(grey, 130, 0, 145, 16), 0) << "the number's left part";
    Change([](RulerModel& model) { model.lines.ReplaceAll({120}, {}); });
    m_surface.Fill(0x55);
    Compose();
    EXPECT_GT(Count(kLabelRed, 145, 0, 176, 16), 0) << "the line's label";
    EXPECT_EQ(0, Count(grey, 120, 0, 145, 16)) << "no number beside it";
    EXPECT_GT(Count(grey, 225, 0, 255, 16), 0) << "\" 40\" on column 240 stays";
}

// The labels are copied into the surface where they were drawn before; a copy must be exactly
// what DrawText paints. The same composition through GDI alone (a clip region over the whole
// surface keeps the copies out) must be the same byte for byte: in pixels and in a unit, with
// thin and thick lines, lines at the area's ends, and after the labels' colour changed.
TEST_F(ComposeImage, CopiedLabelsAreExactlyTheDrawnOnes)
{
    const HDC dc = m_surface.GetDC();
    const size_t bytes = m_surface.Header()->biSizeImage;
    const auto composed = [&](bool throughGdi) {
        GdiObject<HRGN> all(CreateRectRgn(0, 0, 400, 300));
        if (throughGdi) SelectClipRgn(dc, all.get());
        EXPECT_EQ(DirectCanvasOf(dc).has_value(), !throughGdi);
        m_surface.Fill(0x55);
        Compose();
        SelectClipRgn(dc, nullptr);
        const unsigned char* pixels = m_surface.Pixels();
        return std::vector<unsigned char>(pixels, pixels + bytes);
    };
    struct Case {
        Unit unit;
        int32_t lineSize;
        uint32_t textColour;
    };
    const Case cases[] = {{Unit::Pixels, 1, 0x0000FF},
                          {Unit::Pixels, 5, 0x0000FF},
                          {Unit::Pixels, 2, 0x3080C0},
                          {Unit::Millimetres, 1, 0x0000FF},
                          {Unit::Millimetres, 3, 0x102030}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << static_cast<int>(c.unit) << ", L = " << c.lineSize);
        Change([&](RulerModel& model) {
            model.options.DisplayUnit = c.unit;
            model.options.LineSize = c.lineSize;
            model.options.LineTextColor = c.textColour;
            model.lines.ReplaceAll({0, 1, 7, 99, 100, 163, 250, 318, 319}, {0, 2, 57, 150, 218, 219});
        });
        const std::vector<unsigned char> copied = composed(false), drawn = composed(true);
        ASSERT_EQ(copied.size(), drawn.size());
        const size_t differ = std::mismatch(copied.begin(), copied.end(), drawn.begin()).first - copied.begin();
        EXPECT_EQ(differ, copied.size()) << "first differing byte, row " << differ / 1200 << " from the bottom";
    }
}
