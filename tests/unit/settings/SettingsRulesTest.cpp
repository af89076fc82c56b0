// The Settings dialog's window-free rules: lists, number reading, the page bar,
// where a store goes, the dialog's option bits and the colour table.
#include "settings/SettingsRules.h"

#include "ruler/Geometry.h"
#include "ruler/RulerOptions.h"
#include "ruler/scalebar/ScaleBarStyle.h"

#include <gtest/gtest.h>

#include <climits>

TEST(SettingsRules, ListsAndNumbersReadTheWayTheDialogNeeds)
{
    const std::vector<int32_t> sizes = InnerSizeList();
    ASSERT_EQ(35u, sizes.size());
    EXPECT_EQ((std::vector<int32_t>{32, 24, 64}), std::vector<int32_t>(sizes.begin(), sizes.begin() + 3));
    EXPECT_EQ((std::vector<int32_t>{1280, 960, 100}), std::vector<int32_t>(sizes.begin() + 18, sizes.begin() + 21));
    // A stored 45 opens the list without a selection; OK then keeps 45.
    EXPECT_EQ(-1, ListIndexOf(ThicknessList(), 45));
    EXPECT_EQ(45, ListValueAt(ThicknessList(), -1, 45));
    EXPECT_EQ(60, ListValueAt(ThicknessList(), ListIndexOf(ThicknessList(), 60), 45));

    EXPECT_EQ(12, ParseLeadingInt(L"  12abc"));
    EXPECT_EQ(-5, ParseLeadingInt(L"\t-5"));
    EXPECT_EQ(0, ParseLeadingInt(L"abc"));
    EXPECT_EQ(INT_MAX, ParseLeadingInt(L"99999999999999999999"));
    EXPECT_EQ(880, OuterExtent(L"800", 40));
    EXPECT_EQ(0, OuterExtent(L"-500", 40)) << "the ruler raises it to twice the bar";
    EXPECT_EQ(kMaxWindowSide, OuterExtent(L"2147483647", 100));
}

TEST(SettingsRules, APageWithPositivePitchesGoesToAllBarsOrOnlyItsOwn)
{
    BarValues page;
    EXPECT_TRUE(ParsePitches(L"3", L" 30x", L"60", page));
    EXPECT_EQ(30, page.ScaleM);
    for (const wchar_t* bad : {L"0", L"abc", L"-4"}) {
        BarValues kept = page;
        EXPECT_FALSE(ParsePitches(L"3", L"30", bad, kept)) << bad;
        EXPECT_EQ(60, kept.ScaleL) << "nothing taken";
    }

    BarSet bars = {};
    page.Back = 0xFF;
    StorePageValues(bars, page, true, LeftBar);
    EXPECT_EQ(0xFFu, bars[LeftBar].Back);
    EXPECT_EQ(0u, bars[TopBar].Back);
    EXPECT_EQ(0u, bars[RightBar].Back);
    StorePageValues(bars, page, false, RightBar);
    for (const BarValues& bar : bars) EXPECT_EQ(0xFFu, bar.Back);

    const std::vector<int> leftRight = TabBars(false, false, true, true);
    EXPECT_EQ((std::vector<int>{LeftBar, RightBar}), leftRight);
    EXPECT_EQ(RightBar, PageBar(leftRight, 1));
    EXPECT_EQ(LeftBar, PageBar(leftRight, -1)) << "no selection: the first tab";
    EXPECT_EQ(TopBar, PageBar({}, -1)) << "no tabs: the top bar";
}

TEST(SettingsRules, DialogSetsOnlyItsOwnOptionBits)
{
    RulerOptions options;
    options.Option = OptTopmost | OptTaskTray | OptIndividual | OptCopyScale;
    options.Flags = BarReserved | BarNumbers | BarLeft | BarTop;
    DisplayChoices c = ChoicesFromOptions(options);
    EXPECT_EQ(0, c.tooltip);
    EXPECT_EQ(1, c.individual);
    EXPECT_EQ(2, c.top + c.left);
    EXPECT_EQ(0, c.bottom + c.right);

    c = {1, 0, 0, 1, 0, 1};
    ApplyChoices(c, options);
    EXPECT_EQ(OptTopmost | OptTaskTray | OptTooltip | OptCopyScale, options.Option);
    EXPECT_EQ(BarReserved | BarNumbers | BarBottom | BarRight, options.Flags);
}

TEST(SettingsRules, ColourTableOrderAndTheFirstMatchWins)
{
    uint32_t palette[kPaletteCells] = {};
    palette[1] = 0x000080;
    palette[19] = 0xFFFFFF;
    const ColorTable table = BuildColorTable(palette, 0xF0F0F0, 0xFFFFFF, 0xC0C0C0);
    EXPECT_EQ((std::vector<int32_t>{0xF0F0F0, 0xFFFFFF, 0xC0C0C0, kMoreColors}),
              std::vector<int32_t>(table.begin() + 20, table.end()));
    EXPECT_EQ(1, FindColorCell(table, 0x000080));
    EXPECT_EQ(19, FindColorCell(table, 0xFFFFFF)) << "the palette's white before the window colour";
    EXPECT_EQ(kMoreColorsCell, FindColorCell(table, 0x123456));
    EXPECT_EQ(0, BuildColorTable(nullptr, 1, 2, 3)[19]) << "an unread palette leaves black";
}
