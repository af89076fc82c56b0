#include "ruler/TargetFrame.h"

#include <gtest/gtest.h>

TEST(TargetFrame, TopLevelWindowsLoseTheirInvisibleBordersChildWindowsKeepTheirRectangle)
{
    // Windows 10: 7 pixels of invisible border left, right and below, none above.
    const WindowRect window(93, 200, 907, 807), frame(100, 200, 900, 800);
    EXPECT_EQ(frame, ChooseVisibleFrame(false, window, frame));
    EXPECT_EQ(window, ChooseVisibleFrame(true, window, frame));
    EXPECT_EQ(window, ChooseVisibleFrame(false, window, std::nullopt)) << "no desktop composition";
    EXPECT_EQ(window, ChooseVisibleFrame(false, window, WindowRect())) << "an empty answer";
    EXPECT_EQ(window, ChooseVisibleFrame(false, window, WindowRect(100, 190, 900, 800))) << "reaching out of it";
}

TEST(TargetFrame, TheTargetsMonitorHoldsMostOfItOrLiesNearest)
{
    // A 1920 x 1080 primary, a 1280 x 1024 monitor left of it reaching above it, and a
    // 1600 x 1200 one right of it reaching below.
    const std::vector<WindowRect> monitors = {{0, 0, 1920, 1080}, {-1280, -200, 0, 824}, {1920, 0, 3520, 1200}};
    EXPECT_EQ(monitors[1], ChooseTargetMonitor({-900, -150, -100, 300}, monitors));
    EXPECT_EQ(monitors[2], ChooseTargetMonitor({1800, 100, 2400, 600}, monitors)) << "most of it on the right";
    EXPECT_EQ(monitors[0], ChooseTargetMonitor({1600, 100, 2040, 600}, monitors)) << "most of it on the primary";
    // Off every monitor: in the gap below the primary, then far above the left one.
    EXPECT_EQ(monitors[0], ChooseTargetMonitor({100, 1150, 900, 1190}, monitors));
    EXPECT_EQ(monitors[2], ChooseTargetMonitor({1700, 1100, 1910, 1190}, monitors)) << "nearer the right one";
    EXPECT_TRUE(ChooseTargetMonitor({0, 0, 10, 10}, {}).IsEmpty());
}
