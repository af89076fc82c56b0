// The owners of created GDI objects and memory DCs: each object is deleted once, by
// whoever holds it last.
#include "framework/GdiHolders.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool Alive(HGDIOBJ object)
{
    return GetObjectType(object) != 0;
}

} // namespace

TEST(Holders, ResetAndMoveDeleteOnlyWhatIsNoLongerHeld)
{
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    {
        GdiObject<HBRUSH> first(red);
        first.reset(red);
        EXPECT_TRUE(Alive(red)) << "taking the object held again keeps it";
        GdiObject<HBRUSH> second(std::move(first));
        EXPECT_EQ(nullptr, first.get());
        EXPECT_EQ(red, second.get());
        first.reset(blue);
        second = std::move(first);
        EXPECT_FALSE(Alive(red)) << "a move assignment deletes the object it replaces";
        EXPECT_EQ(blue, second.get());
        EXPECT_TRUE(Alive(blue));
    }
    EXPECT_FALSE(Alive(blue)) << "the last holder deletes it";

    MemoryDC memory(CreateCompatibleDC(nullptr));
    const HDC dc = memory.get();
    memory.reset(dc);
    EXPECT_TRUE(Alive(dc));
    memory.reset();
    EXPECT_FALSE(Alive(dc));
}
