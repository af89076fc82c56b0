// The icon menu's layout at every display scale: drawn icon sizes, rows, the icon's square.
#include "shell/IconMenuLayout.h"

#include <gtest/gtest.h>

TEST(IconMenuLayout, ScalesWithTheMonitorAndTakesTheLargestDrawnIconThatFits)
{
    const struct {
        int32_t dpi, icon, lowestRow, rowOfText20;
        WindowRect iconBox; // in a row (0, 0) - (200, lowestRow)
    } cases[] = {
        {96, 16, 18, 22, {1, 1, 17, 17}},  {120, 16, 23, 23, {1, 3, 17, 19}}, // 20 would be stretched
        {144, 24, 27, 27, {2, 1, 26, 25}}, {168, 24, 32, 32, {2, 4, 26, 28}},
        {192, 32, 36, 36, {2, 2, 34, 34}}, {288, 32, 54, 54, {3, 11, 35, 43}}, // the largest, centred
    };
    for (const auto& c : cases) {
        const IconMenuLayout layout = IconMenuLayoutAt(c.dpi);
        EXPECT_EQ(c.icon, layout.icon) << c.dpi;
        EXPECT_EQ(c.lowestRow, IconMenuItemSize(layout, 50, 5, false).height) << c.dpi;
        EXPECT_EQ(c.rowOfText20, IconMenuItemSize(layout, 50, 20, false).height) << c.dpi;
        EXPECT_EQ(c.iconBox, IconMenuIconBox(layout, WindowRect(0, 0, 200, c.lowestRow))) << c.dpi;
    }
}
