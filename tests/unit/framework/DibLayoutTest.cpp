#include "framework/DibLayout.h"

#include <gtest/gtest.h>

#include <climits>

TEST(DibLayout, RowsArePaddedToFourBytes)
{
    struct Case {
        int32_t w, h, bits;
        uint32_t stride, image;
    };
    const Case cases[] = {
        {1, 1, 24, 4, 4},   {3, 2, 24, 12, 24}, {4, 3, 24, 12, 36}, {5, 7, 24, 16, 112},
        {3, 2, 32, 12, 24}, {3, 1, 16, 8, 8},   {2, 1, 16, 4, 4},   {1920, 1080, 24, 5760, 6220800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << "x" << c.bits);
        DibLayout layout;
        ASSERT_TRUE(ComputeDibLayout(c.w, c.h, c.bits, layout));
        EXPECT_EQ(layout.stride, c.stride);
        EXPECT_EQ(layout.imageSize, c.image);
        EXPECT_EQ(layout.width, c.w);
        EXPECT_EQ(layout.height, c.h);
    }
}

TEST(DibLayout, RefusesEmptyOddAndOverflowingSizes)
{
    struct Case {
        int32_t w, h, bits;
    };
    const Case refused[] = {
        {0, 10, 24},
        {10, 0, 24},
        {-1, 10, 24},
        {10, -1, 24},
        {INT_MIN, INT_MIN, 24},
        // depths with a colour table (the header has room for none) or none at all
        {10, 10, 8},
        {10, 10, 1},
        {10, 10, 0},
        {10, 10, 48},
        {10, 10, -24},
        // image sizes beyond 32 bits, and sides GDI cannot address
        {100000, 100000, 24},
        {INT_MAX, INT_MAX, 32},
        {65536, 65536, 32},
        {INT_MAX, 1, 24},
        {kMaxDibSide + 1, 1, 16},
        {1, kMaxDibSide + 1, 16},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << "x" << c.bits);
        DibLayout layout;
        EXPECT_FALSE(ComputeDibLayout(c.w, c.h, c.bits, layout));
        EXPECT_EQ(layout.imageSize, 0u);
    }
}

TEST(DibLayout, ImageSizeLimitIsExact)
{
    const int32_t width = 10000; // 30000 bytes per row at 24 bits
    const int32_t fits = static_cast<int32_t>(kMaxDibImageSize / 30000);
    DibLayout layout;
    ASSERT_TRUE(ComputeDibLayout(width, fits, 24, layout));
    EXPECT_EQ(layout.imageSize, uint32_t(fits) * 30000u);
    EXPECT_FALSE(ComputeDibLayout(width, fits + 1, 24, layout));
    EXPECT_TRUE(ComputeDibLayout(kMaxDibSide, 1, 16, layout));
}
