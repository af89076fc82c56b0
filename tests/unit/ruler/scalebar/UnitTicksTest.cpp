// Scale-bar ticks and numbers in a unit, and the numbers that fit beside the labels.
#include "ruler/scalebar/NumberSpacing.h"
#include "ruler/scalebar/UnitTicks.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const ScreenBasis kScreen{144, 3790}; // 3.79 px per mm, 1.5 px per logical pixel

// The offsets of one family's ticks, at most `most` of them.
std::vector<int32_t> Offsets(const BarMarks& marks, TickFamily family, size_t most = SIZE_MAX)
{
    std::vector<int32_t> offsets;
    for (const BarTick& tick : marks.ticks)
        if (tick.family == family && offsets.size() < most) offsets.push_back(tick.offset);
    return offsets;
}

std::vector<std::wstring> Texts(const std::vector<BarNumber>& numbers, size_t most = SIZE_MAX)
{
    std::vector<std::wstring> texts;
    for (const BarNumber& number : numbers)
        if (texts.size() < most) texts.push_back(number.text);
    return texts;
}

// Six pixels a character, as a small font writes digits.
int32_t SixPerCharacter(const std::wstring& text)
{
    return 6 * static_cast<int32_t>(text.size());
}

} // namespace

TEST(UnitTicks, EachUnitHasItsFamiliesAndNumbers)
{
    const TickPitches settings{5, 50, 100};
    const struct {
        Unit unit;
        ScreenBasis screen;
        int32_t extent;
        std::vector<int32_t> small, middle, large; // the first three of each
        std::vector<std::wstring> numbers;         // the first two
    } cases[] = {
        {Unit::Pixels, kScreen, 400, {5, 10, 15}, {50, 150, 250}, {100, 200, 300}, {L"100", L"200"}},
        {Unit::LogicalPixels, kScreen, 400, {8, 15, 23}, {75, 225, 375}, {150, 300}, {L"100", L"200"}},
        // 1 mm ticks, 5 mm middle, 10 mm large.
        {Unit::Millimetres, kScreen, 400, {4, 8, 11}, {19, 57, 95}, {38, 76, 114}, {L" 10", L" 20"}},
        {Unit::Centimetres, kScreen, 400, {4, 8, 11}, {19, 57, 95}, {38, 76, 114}, {L"  1", L"  2"}},
        // 1/16 in is 6.02 px.
        {Unit::Inches, kScreen, 400, {6, 12, 18}, {24, 48, 72}, {96, 193, 289}, {L"  1", L"  2"}},
        // 6 pt is 8.02 px.
        {Unit::Points, kScreen, 400, {8, 16, 24}, {48, 144, 241}, {96, 193, 289}, {L" 72", L"144"}},
        {Unit::Percent, kScreen, 400, {4, 8, 12}, {20, 60, 100}, {40, 80, 120}, {L" 10", L" 20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(UnitShortName(c.unit));
        const BarMarks marks = UnitBarMarks(UnitAxis(c.unit, c.screen, c.extent), settings);
        EXPECT_EQ(c.small, Offsets(marks, TickFamily::Small, 3));
        EXPECT_EQ(c.middle, Offsets(marks, TickFamily::Middle, 3));
        EXPECT_EQ(c.large, Offsets(marks, TickFamily::Large, 3));
        EXPECT_EQ(c.numbers, Texts(marks.numbers, 2));
        ASSERT_FALSE(marks.ticks.empty());
        EXPECT_GE(marks.ticks.front().offset, 1);
        EXPECT_LE(marks.ticks.back().offset, c.extent - 1) << "strictly inside the bar, as today";
        for (size_t i = 1; i < marks.ticks.size(); ++i)
            EXPECT_LT(marks.ticks[i - 1].offset, marks.ticks[i].offset) << "ascending, one per offset";
    }
}

TEST(UnitTicks, AFamilyCloserThanThreePixelsIsLeftOutExceptInPixels)
{
    const TickPitches narrow{2, 10, 20};
    const struct {
        Unit unit;
        ScreenBasis screen;
        int32_t extent;
        size_t small, middle, large, numbers; // counts
    } cases[] = {
        {Unit::Pixels, {96, 3780}, 100, 40, 5, 4, 4},         // 2 px ticks stay, as today
        {Unit::LogicalPixels, {96, 3780}, 100, 0, 5, 4, 4},   // 2 px: left out
        {Unit::LogicalPixels, {144, 3780}, 100, 27, 3, 3, 3}, // 3 px: kept
        {Unit::Millimetres, {96, 2000}, 100, 0, 5, 4, 4},     // 2 px per mm
        {Unit::Inches, {96, 1500}, 200, 0, 15, 5, 5},         // 1/16 in is 2.4 px
        {Unit::Percent, {96, 3780}, 200, 0, 10, 9, 9},        // 1 % is 2 px
        {Unit::Percent, {96, 3780}, 20, 0, 0, 0, 0},          // 10 % is 2 px: no numbers either
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << UnitShortName(c.unit) << " at " << c.extent);
        const BarMarks marks = UnitBarMarks(UnitAxis(c.unit, c.screen, c.extent), narrow);
        EXPECT_EQ(c.small, Offsets(marks, TickFamily::Small).size());
        EXPECT_EQ(c.middle, Offsets(marks, TickFamily::Middle).size());
        EXPECT_EQ(c.large, Offsets(marks, TickFamily::Large).size());
        EXPECT_EQ(c.numbers, marks.numbers.size());
    }
    // Only what the painter can see: 30 ... 40 holds 8, 9 and 10 mm.
    const BarMarks part = UnitBarMarks(UnitAxis(Unit::Millimetres, kScreen, 400), {}, 30, 40);
    EXPECT_EQ((std::vector<int32_t>{30, 34}), Offsets(part, TickFamily::Small));
    EXPECT_EQ((std::vector<int32_t>{38}), Offsets(part, TickFamily::Large));
    EXPECT_EQ((std::vector<std::wstring>{L" 10"}), Texts(part.numbers));
    EXPECT_TRUE(UnitBarMarks(UnitAxis(Unit::Pixels, kScreen, 100), {0, -5, 0}).ticks.empty()) << "no pitch, no ticks";
}

TEST(NumberSpacing, NumbersThatWouldTouchAnotherOrALabelAreLeftOut)
{
    // Each number its offset, two digits: 12 px.
    const auto at = [](std::initializer_list<int32_t> offsets) {
        std::vector<BarNumber> numbers;
        for (int32_t offset : offsets) numbers.push_back({offset, std::to_wstring(offset)});
        return numbers;
    };
    using Kept = std::vector<std::wstring>;
    // Spans [4, 16), [17, 29), [30, 42): one clear pixel between each.
    EXPECT_EQ((Kept{L"10", L"23", L"36"}), Texts(SpacedNumbers(at({23, 10, 36}), {}, SixPerCharacter)));
    // [4, 16) and [16, 28) meet: the second goes, the third then fits after the first.
    EXPECT_EQ((Kept{L"10", L"34"}), Texts(SpacedNumbers(at({10, 22, 34}), {}, SixPerCharacter)));
    EXPECT_EQ((Kept{L"10"}), Texts(SpacedNumbers(at({10, 22, 34}), {}, SixPerCharacter, 13))) << "a wider gap";
    // A guide line's label over the second: it goes, and so does any number touching the length label.
    const std::vector<BarSpan> labels = {{20, 26}, {44, 60}};
    EXPECT_EQ((Kept{L"10", L"36"}), Texts(SpacedNumbers(at({10, 23, 36, 50}), labels, SixPerCharacter)));

    // Percent on a 100 px bar: numbers 10 px apart, each 18 px wide: every other one stays.
    const BarMarks marks = UnitBarMarks(UnitAxis(Unit::Percent, kScreen, 100), {});
    EXPECT_EQ((Kept{L" 10", L" 30", L" 50", L" 70", L" 90"}), Texts(SpacedNumbers(marks.numbers, {}, SixPerCharacter)));
}
