#include "copy/MeasureLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Every digit 6 pixels wide, as a small font writes them.
int32_t SixPerDigit(int32_t value)
{
    return 6 * static_cast<int32_t>(std::to_string(value).size());
}

std::vector<int32_t> Values(const DimensionBand& band, int32_t row)
{
    std::vector<int32_t> values;
    for (const DimensionLabel& label : band.labels)
        if (label.row == row) values.push_back(label.value);
    return values;
}

} // namespace

TEST(MeasureLayout, MarksTheEndsAndEveryLineWithTheGapsBetweenThemCentred)
{
    // Lines given in any order, one twice: a 300-pixel picture split at 50 and 200.
    const DimensionBand band = LayoutDimensionBand({200, 50, 200}, 0, 300, 300, SixPerDigit, 2);
    EXPECT_EQ((std::vector<int32_t>{0, 50, 200, 299}), band.marks) << "the far mark stands on the last pixel";
    ASSERT_EQ(4u, band.labels.size());
    EXPECT_EQ((std::vector<int32_t>{50, 150, 100}), Values(band, 0));
    EXPECT_EQ(25, band.labels[0].centre);
    EXPECT_EQ(125, band.labels[1].centre);
    EXPECT_EQ(250, band.labels[2].centre);
    EXPECT_EQ((std::vector<int32_t>{300}), Values(band, 1)) << "the whole length on the second row";
    EXPECT_EQ(150, band.labels[3].centre);

    // No lines: the two ends, and the length twice over.
    const DimensionBand plain = LayoutDimensionBand({}, 0, 120, 120, SixPerDigit, 2);
    EXPECT_EQ((std::vector<int32_t>{0, 119}), plain.marks);
    EXPECT_EQ((std::vector<int32_t>{120}), Values(plain, 0));
    EXPECT_EQ((std::vector<int32_t>{120}), Values(plain, 1));
}

TEST(MeasureLayout, AGapTooNarrowForItsNumberAndMarginsShowsNone)
{
    // Gaps 22 and 21 against two digits (12) and two margins of 5: 22 fits exactly, 21 not.
    const DimensionBand band = LayoutDimensionBand({22}, 0, 43, 43, SixPerDigit, 5);
    EXPECT_EQ((std::vector<int32_t>{0, 22, 42}), band.marks) << "the mark stays without its number";
    EXPECT_EQ((std::vector<int32_t>{22}), Values(band, 0));
    EXPECT_EQ((std::vector<int32_t>{43}), Values(band, 1));
    // A picture narrower than its own length's number: marks only.
    const DimensionBand tiny = LayoutDimensionBand({3}, 0, 10, 10, SixPerDigit, 2);
    EXPECT_EQ((std::vector<int32_t>{0, 3, 9}), tiny.marks);
    EXPECT_TRUE(tiny.labels.empty());
}

TEST(MeasureLayout, LinesOutsideThePictureOrNotDrawnGetNoMark)
{
    // Inner area 100 wide: 100 and beyond are not drawn; negative values and 0 fall on or
    // before the first column; huge values must not wrap into the picture.
    const DimensionBand band =
        LayoutDimensionBand({-5, 0, 40, 99, 100, 150, INT_MAX, INT_MIN}, 0, 100, 100, SixPerDigit, 1);
    EXPECT_EQ((std::vector<int32_t>{0, 40, 99}), band.marks);
    // The line on the last pixel shares the end's mark; the one-pixel gap after it is too narrow to number.
    EXPECT_EQ((std::vector<int32_t>{40, 59}), Values(band, 0));
}

TEST(MeasureLayout, WithTheScaleTheMarksStandUnderTheInnerColumns)
{
    // Bars 40 thick: the picture is 180 wide, the inner area 100, a line at 30 in column 70.
    const DimensionBand band = LayoutDimensionBand({30, -10, -40}, 40, 100, 180, SixPerDigit, 2);
    EXPECT_EQ((std::vector<int32_t>{0, 30, 70, 179}), band.marks) << "-10 lies in the bar, -40 on the edge";
    EXPECT_EQ((std::vector<int32_t>{30, 40, 110}), Values(band, 0));
    EXPECT_EQ((std::vector<int32_t>{180}), Values(band, 1));
    EXPECT_TRUE(LayoutDimensionBand({1}, 0, 10, 0, SixPerDigit, 2).marks.empty()) << "no picture, no band";
}
