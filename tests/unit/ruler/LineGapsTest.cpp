#include "ruler/LineGaps.h"

#include <gtest/gtest.h>

TEST(LineGaps, ValueAndGapsToTheNeighboursOrTheEdges)
{
    const std::vector<int32_t> lines = {100, 300, 40, 100, 400};
    // 40 and 300 are the neighbours of 100; its twin and 400 (beyond 320) are not.
    EXPECT_EQ(L"100  (60 | 200)", LineGapText(lines, 0, 320));
    EXPECT_EQ(L"40  (40 | 60)", LineGapText(lines, 2, 320));
    EXPECT_EQ(L"300  (200 | 20)", LineGapText(lines, 1, 320));
    EXPECT_EQ(L"320  (20 | 0)", LineGapText({300, 320}, 1, 320)) << "dragged to the far edge";
    EXPECT_EQ(L"", LineGapText(lines, 5, 320));
}
