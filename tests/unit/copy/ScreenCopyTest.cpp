#include "copy/ScreenCopy.h"

#include <gtest/gtest.h>

TEST(ScreenCopy, ARefusedHandOverIsAFailureAndFreesTheBlock)
{
    // Without the clipboard open the clipboard cannot take the block.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    ASSERT_NE(nullptr, block);
    EXPECT_FALSE(HandDibToClipboard(block));
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(block)) << "the block was not freed";
    EXPECT_FALSE(HandDibToClipboard(nullptr));
}
