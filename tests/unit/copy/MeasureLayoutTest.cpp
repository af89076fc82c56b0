#include "copy/MeasureLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

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

    // No line inside (one beyond the area): the two ends and the length once, on its own
    // row, with no line along the empty row 0.
    for (const std::vector<int32_t>& lines : {std::vector<int32_t>{}, std::vector<int32_t>{120}}) {
        const DimensionBand plain = LayoutDimensionBand(lines, 0, 120, 120, SixPerDigit, 2);
        EXPECT_EQ((std::vector<int32_t>{0, 119}), plain.marks);
        ASSERT_EQ(1u, plain.labels.size());
        EXPECT_EQ(120, plain.labels[0].value);
        EXPECT_EQ(plain.TotalRow(), plain.labels[0].row);
        EXPECT_TRUE(std::none_of(plain.lines.begin(), plain.lines.end(), [](const DimensionLine& l) { return l.row == 0; }));
    }
}

TEST(MeasureLayout, AGapTooNarrowForItsNumberBetweenItsMarksHasItOnAStaggeredRow)
{
    // Gaps 22 and 21 against two digits (12) and two margins of 5: 22 fits exactly, 21 not.
    const DimensionBand band = LayoutDimensionBand({22}, 0, 43, 43, SixPerDigit, 5);
    EXPECT_EQ((std::vector<int32_t>{0, 22, 42}), band.marks);
    EXPECT_EQ((std::vector<int32_t>{22}), Values(band, 0));
    EXPECT_EQ((std::vector<int32_t>{21}), Values(band, 1));
    EXPECT_EQ(32, band.labels[1].leaderAt) << "from the middle of its gap";
    EXPECT_EQ((std::vector<int32_t>{43}), Values(band, 2)) << "the whole length after the staggered row";
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
    // The line on the last pixel shares the end's mark; the one-pixel gap after it is staggered.
    EXPECT_EQ((std::vector<int32_t>{40, 59}), Values(band, 0));
    EXPECT_EQ((std::vector<int32_t>{1}), Values(band, 1));
}

TEST(MeasureLayout, WithTheScaleTheGapsCountFromTheInnerAreasEdges)
{
    // Bars 40 thick around an inner area of 620, a line at 260: what the scale says.
    const DimensionBand band = LayoutDimensionBand({260, -10, 620}, 40, 620, 700, SixPerDigit, 4);
    EXPECT_EQ((std::vector<int32_t>{40, 300, 659}), band.marks) << "-10 lies in the bar, 620 past the area";
    EXPECT_EQ((std::vector<int32_t>{260, 360}), Values(band, 0));
    EXPECT_EQ((std::vector<int32_t>{620}), Values(band, 1));
    // A narrow first gap stands over the bar, left of the first mark, on its own row.
    const DimensionBand bar = LayoutDimensionBand({3}, 40, 620, 700, SixPerDigit, 4);
    EXPECT_EQ(2, bar.rows);
    EXPECT_EQ(3, bar.labels[1].value);
    EXPECT_LT(bar.labels[1].to, 40);
    EXPECT_TRUE(LayoutDimensionBand({1}, 0, 10, 0, SixPerDigit, 2).marks.empty()) << "no picture, no band";
}

TEST(MeasureLayout, NoNumberMeetsAnotherAMarkOrALineAndRoomGivesEveryGapItsNumber)
{
    std::mt19937 rng(5);
    const auto pick = [&](int32_t n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
    for (int round = 0; round < 600; ++round) {
        const int32_t inner = 40 + pick(400), margin = 1 + pick(5), origin = pick(2) ? 0 : 30;
        const int32_t length = inner + 2 * origin;
        // Clusters of lines a few pixels apart, as paddings and borders give them.
        std::vector<int32_t> lines, gaps;
        for (int c = pick(5); c > 0; --c)
            for (int32_t at = pick(inner), n = 1 + pick(6); n > 0; --n, at += 1 + pick(pick(2) ? 4 : 24))
                lines.push_back(at);
        const DimensionBand band = LayoutDimensionBand(lines, origin, inner, length, SixPerDigit, margin);
        std::vector<int32_t> edges = {0, inner};
        for (int32_t v : lines) edges.push_back(std::clamp(v, 0, inner));
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        int32_t room = 0;
        for (size_t i = 0; i + 1 < edges.size(); ++i) {
            gaps.push_back(edges[i + 1] - edges[i]);
            room += SixPerDigit(gaps.back()) + 2 * margin;
        }
        if (gaps.size() == 1) gaps.clear(); // undivided: the one gap is the total
        std::vector<int32_t> numbered;
        for (const DimensionLabel& l : band.labels) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", number " << l.value << " on row " << l.row);
            ASSERT_TRUE(l.from >= 0 && l.to <= length);
            if (l.row != band.TotalRow()) numbered.push_back(l.value);
            for (int32_t mark : band.marks) {
                const bool reaches = l.row == 0 || mark == band.marks.front() || mark == band.marks.back();
                ASSERT_FALSE(reaches && mark > l.from - margin && mark < l.to + margin) << "on the mark " << mark;
            }
            for (const DimensionLine& line : band.lines)
                ASSERT_FALSE(line.row == l.row && line.from < l.to && l.from < line.to) << "on a line";
            for (const DimensionLabel& o : band.labels) {
                ASSERT_FALSE(&o != &l && o.row == l.row && o.from < l.to + margin && l.from < o.to + margin);
                ASSERT_FALSE(o.row > 0 && o.row < l.row && l.leaderAt >= o.from && l.leaderAt < o.to) << o.value;
            }
        }
        std::sort(gaps.begin(), gaps.end());
        std::sort(numbered.begin(), numbered.end());
        if (band.StaggeredRows() < kMaxStaggeredRows && room <= length) {
            ASSERT_EQ(gaps, numbered) << round;
        }
    }
}
