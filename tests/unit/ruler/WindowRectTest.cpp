#include "ruler/WindowRect.h"

#include <gtest/gtest.h>

TEST(WindowRect, ClassifyZoneCornersStripsAndInterior)
{
    const WindowRect r(100, 200, 500, 500);
    struct Case {
        int x, y, zone;
    } cases[] = {
        {300, 350, ZoneInterior},   {108, 208, ZoneInterior}, {100, 200, ZoneTopLeft},     {107, 207, ZoneTopLeft},
        {100, 499, ZoneBottomLeft}, {499, 200, ZoneTopRight}, {499, 499, ZoneBottomRight}, {100, 300, ZoneLeft},
        {499, 300, ZoneRight},      {300, 200, ZoneTop},      {300, 207, ZoneTop},         {300, 492, ZoneBottom},
        {300, 499, ZoneBottom},     {500, 300, ZoneOutside},  {300, 500, ZoneOutside},     {99, 300, ZoneOutside},
    };
    for (const Case& c : cases) EXPECT_EQ(c.zone, r.ClassifyZone(c.x, c.y, 8)) << c.x << "," << c.y;
}
