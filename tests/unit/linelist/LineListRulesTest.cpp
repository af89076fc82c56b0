#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "linelist/LineListRules.h"

using Lines = std::vector<int32_t>;

TEST(LineListRules, ValueFieldReadsLikeAtoi)
{
    EXPECT_EQ(ParseLineValue(L"250"), 250);
    EXPECT_EQ(ParseLineValue(L" \t-12px"), -12);
    EXPECT_EQ(ParseLineValue(L"+7"), 7);
    EXPECT_EQ(ParseLineValue(L"abc"), 0);
    EXPECT_EQ(ParseLineValue(L""), 0);
    EXPECT_EQ(ParseLineValue(L"- 5"), 0);
    EXPECT_EQ(ParseLineValue(L"99999999999"), INT32_MAX);
    EXPECT_EQ(ParseLineValue(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseLineValue(L"-99999999999"), INT32_MIN);
}

// The dialog's own checks cover the common cases; these are the limits.
TEST(LineListRules, AddAndSpinStayWithinZeroTo9999)
{
    EXPECT_FALSE(CanAddLine({}, -1));
    EXPECT_FALSE(CanAddLine({}, 10000));
    EXPECT_TRUE(CanAddLine({0}, 9999));
    EXPECT_FALSE(CanAddLine({0, 9999}, 9999));
    // The control's default range runs downwards: its right arrow reports -1.
    EXPECT_EQ(SpinLineValue(0, -1), 1);
    EXPECT_EQ(SpinLineValue(20000, 1), 9999);
    EXPECT_EQ(SpinLineValue(INT32_MIN, INT_MIN), 0) << "no overflow on the way";
    EXPECT_EQ(SpinLineValue(INT32_MAX, INT_MIN), 9999);
    EXPECT_EQ(SelectionAfterDelete(2, 2), 1) << "the last of three";
    EXPECT_EQ(SelectionAfterDelete(0, 0), -1);
}

TEST(LineListRules, DropDownsOfferThirtyFiveValues)
{
    const Lines values = PresetLineValues();
    ASSERT_EQ(values.size(), 35u);
    EXPECT_EQ(Lines(values.begin(), values.begin() + 20),
              (Lines{32, 24, 64, 48, 128, 96, 256, 192, 512, 384, 1024, 768, 160, 120, 320, 240, 640, 480, 1280, 960}));
    for (size_t i = 20; i < values.size(); ++i) EXPECT_EQ(values[i], static_cast<int32_t>(100 * (i - 19)));
}
