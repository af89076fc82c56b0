// Conversion of device pixels into each unit and the texts that show them.
#include "ruler/InnerSizeText.h"
#include "ruler/LineGaps.h"
#include "measure/LoupeModel.h"
#include "ruler/UnitAxis.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

namespace {

// The monitor of most tests: 144 DPI, and 3780 pixels per metre (3.78 per millimetre).
const ScreenBasis kScreen{144, 3780};

UnitAxis Axis(Unit unit, int32_t extent = 400)
{
    return UnitAxis(unit, kScreen, extent);
}

} // namespace

TEST(Units, StoredValueOutsideTheListReadsAsPixels)
{
    MemoryProfile store;
    Unit unit = Unit::Inches;
    PersistUnit(store, unit, true);
    EXPECT_EQ(Unit::Inches, unit) << "nothing stored keeps the current unit";
    for (const auto& [stored, expected] :
         {std::pair{0, Unit::Pixels}, std::pair{6, Unit::Percent}, std::pair{3, Unit::Centimetres},
          std::pair{7, Unit::Pixels}, std::pair{-1, Unit::Pixels}}) {
        store.WriteInt("CMensuroDlg", "Unit", stored);
        PersistUnit(store, unit, true);
        EXPECT_EQ(expected, unit) << stored;
    }
    unit = Unit::Points;
    PersistUnit(store, unit, false);
    EXPECT_EQ("5", store.values["CMensuroDlg"]["Unit"]);
}

TEST(Units, EachUnitConvertsAndWritesItsOwnDecimals)
{
    const struct {
        Unit unit;
        double pixels;
        const wchar_t* number;
        const wchar_t* withName;
    } cases[] = {
        {Unit::Pixels, 378, L"378", L"378"},
        {Unit::LogicalPixels, 300, L"200", L"200 dip"}, // 300 x 96 / 144
        {Unit::LogicalPixels, 301, L"200.7", L"200.7 dip"},
        {Unit::LogicalPixels, 300.05, L"200", L"200 dip"}, // whole to a tenth
        {Unit::Millimetres, 378, L"100.0", L"100.0 mm"},
        {Unit::Centimetres, 378, L"10.00", L"10.00 cm"},
        {Unit::Inches, 378, L"3.937", L"3.937 in"},
        {Unit::Points, 378, L"283.5", L"283.5 pt"},
        {Unit::Percent, 100, L"25.0", L"25.0 %"}, // of the extent, 400
        {Unit::Millimetres, -0.1, L"0.0", L"0.0 mm"},
        {Unit::Millimetres, -37.8, L"-10.0", L"-10.0 mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.withName);
        EXPECT_EQ(c.number, Axis(c.unit).Number(c.pixels));
        EXPECT_EQ(c.withName, Axis(c.unit).NumberWithName(c.pixels));
    }
    EXPECT_EQ(L"0.0", Axis(Unit::Percent, 0).Number(50)) << "no area, no percent";
    EXPECT_EQ(L"25.4", UnitAxis(Unit::Millimetres, {0, -5}, 0).Number(96)) << "nonsense scale: 96 px per inch";
    EXPECT_EQ(L"96", UnitAxis(Unit::LogicalPixels, {0, 3780}, 0).Number(96)) << "nonsense DPI: 96";
}

TEST(Units, LineTooltipAndLoupeReadoutInAUnitKeepThePixelTextsInPixels)
{
    const std::vector<int32_t> lines = {100, 300, 40};
    EXPECT_EQ(LineGapText(lines, 0, 320), LineGapText(lines, 0, Axis(Unit::Pixels, 320)));
    EXPECT_EQ(L"100  (60 | 200)", LineGapText(lines, 0, Axis(Unit::Pixels, 320)));
    // 3.78 px per mm: 96 px are 25.4 mm, gaps 48 and 192 px.
    EXPECT_EQ(L"25.4 mm  (12.7 | 50.8)", LineGapText({96, 48, 288}, 0, Axis(Unit::Millimetres, 320)));
    EXPECT_EQ(L"50.0 %  (20.0 | 50.0)", LineGapText({100, 60, 300, 400}, 0, Axis(Unit::Percent, 200)))
        << "a line beyond the area is no neighbour";
    EXPECT_EQ(L"", LineGapText(lines, 3, Axis(Unit::Inches)));

    EXPECT_EQ(L"X 160  Y 120  #00C000  (0, 192, 0)",
              LoupeReadout(160, 120, 0x00C000, Axis(Unit::Pixels), Axis(Unit::Pixels)));
    const UnitAxis fourPerMm(Unit::Millimetres, {96, 4000}, 400);
    EXPECT_EQ(L"X 40.0  Y 30.0 mm  #00C000  (0, 192, 0)", LoupeReadout(160, 120, 0x00C000, fourPerMm, fourPerMm));
    EXPECT_EQ(L"X 50.0  Y 25.0 %", LoupePositionText(100, 100, Axis(Unit::Percent, 200), Axis(Unit::Percent, 400)))
        << "each axis its own extent";
}

TEST(Units, AspectRatioIsReducedOrDecimalPastFifty)
{
    const struct {
        int32_t w, h;
        const wchar_t* text;
    } cases[] = {{320, 180, L"16:9"},    {400, 300, L"4:3"}, {250, 250, L"1:1"},  {180, 320, L"9:16"},
                 {1366, 768, L"1.78:1"}, {50, 49, L"50:49"}, {51, 49, L"1.04:1"}, {0, 180, L""}};
    for (const auto& c : cases) EXPECT_EQ(c.text, AspectRatioText(c.w, c.h)) << c.w << " x " << c.h;

    EXPECT_EQ(L"320 \u00D7 180 px  16:9", InnerSizeText(Axis(Unit::Pixels, 320), Axis(Unit::Pixels, 180)));
    EXPECT_EQ(L"320 \u00D7 180 px  16:9", InnerSizeText(Axis(Unit::Percent, 320), Axis(Unit::Percent, 180)));
    EXPECT_EQ(L"84.7 \u00D7 47.6 mm  320 \u00D7 180 px  16:9",
              InnerSizeText(Axis(Unit::Millimetres, 320), Axis(Unit::Millimetres, 180)));
    EXPECT_EQ(L"213.3 \u00D7 120 dip  320 \u00D7 180 px  16:9",
              InnerSizeText(Axis(Unit::LogicalPixels, 320), Axis(Unit::LogicalPixels, 180)));
    EXPECT_EQ(L"0 \u00D7 180 px", InnerSizeText(Axis(Unit::Pixels, 0), Axis(Unit::Pixels, 180)));
}
