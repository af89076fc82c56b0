#include "ruler/GuideLines.h"

#include <gtest/gtest.h>

using Lines = std::vector<int32_t>;

TEST(GuideLines, AddingKeepsTheOrderAndEachValueOncePerListWhileADragMayMeetAnotherLine)
{
    GuideLines lines;
    EXPECT_TRUE(lines.Add(true, 30));
    EXPECT_TRUE(lines.Add(true, 10));
    EXPECT_FALSE(lines.Add(true, 30));
    EXPECT_TRUE(lines.Add(false, 30)) << "the two lists are apart";
    EXPECT_EQ(2u, lines.AddSeveral({10, 20, 20}, {30, 5}));
    EXPECT_EQ((Lines{30, 10, 20}), lines.X());
    EXPECT_EQ((Lines{30, 5}), lines.Y());

    EXPECT_TRUE(lines.Move(true, 2, 10));
    EXPECT_EQ((Lines{30, 10, 10}), lines.X());
    EXPECT_FALSE(lines.Move(false, 2, 1)) << "no line at that index";
    EXPECT_FALSE(lines.Remove(false, 2));
    EXPECT_TRUE(lines.Remove(true, 0));
    EXPECT_EQ((Lines{10, 10}), lines.X());
}
