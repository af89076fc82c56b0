// The icon menu's layout at every display scale: drawn icon sizes, rows, the icon's square.
#include "shell/IconMenuLayout.h"

#include <gtest/gtest.h>

TEST(IconMenuLayout, ScalesWithTheMonitorAndTakesTheLargestDrawnIconThatFits)
{
    const struct {
        int32_t dpi, icon, textLeft, rowOfSmallText, rowOfText20, submenuExtra;
        WindowRect iconBox; // in a row (0, 0) - (200, rowOfSmallText)
    } cases[] = {
        {96, 16, 22, 18, 22, 16, {1, 1, 17, 17}},
        {120, 16, 28, 23, 23, 20, {1, 3, 17, 19}}, // 20 pixels would be a stretched 16
        {144, 24, 33, 27, 27, 24, {2, 1, 26, 25}},
        {168, 24, 39, 32, 32, 28, {2, 4, 26, 28}},
        {192, 32, 44, 36, 36, 32, {2, 2, 34, 34}},
        {288, 32, 66, 54, 54, 48, {3, 11, 35, 43}}, // none drawn larger: the largest, centred
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const IconMenuLayout layout = IconMenuLayoutAt(c.dpi);
        EXPECT_EQ(c.icon, layout.icon);
        EXPECT_EQ(c.textLeft, layout.textLeft);
        EXPECT_EQ(c.rowOfSmallText, IconMenuItemSize(layout, 50, 5, false).height) << "no row below the system's";
        EXPECT_EQ(c.rowOfText20, IconMenuItemSize(layout, 50, 20, false).height);
        EXPECT_EQ(c.submenuExtra,
                  IconMenuItemSize(layout, 50, 5, true).width - IconMenuItemSize(layout, 50, 5, false).width);
        EXPECT_EQ(c.iconBox, IconMenuIconBox(layout, WindowRect(0, 0, 200, c.rowOfSmallText)));
        EXPECT_GT(layout.textLeft, c.iconBox.right) << "the text clear of the icon and check marks";
    }
}
