#include "ruler/scalebar/ScaleBarStyle.h"

#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

const WindowRect kClient(0, 0, 400, 300);

WindowRect LaidOut(uint32_t flags, const WindowRect& client, int32_t thickness)
{
    ScaleBarStyle bar;
    bar.Layout(flags, client, thickness);
    return bar.Rect;
}

std::vector<uint32_t> StoredFields(const ScaleBarStyle& b)
{
    return {b.Flags, uint32_t(b.ScaleS), uint32_t(b.ScaleM), uint32_t(b.ScaleL), b.ColorS, b.ColorM, b.ColorL, b.Back,
            b.Text};
}

TEST(ScaleBarLayout, FourBarsFrameTheInnerArea)
{
    EXPECT_EQ(LaidOut(0x181, kClient, 40), WindowRect(40, 0, 360, 40));
    EXPECT_EQ(LaidOut(0x141, kClient, 40), WindowRect(40, 260, 360, 300));
    EXPECT_EQ(LaidOut(0x121, kClient, 40), WindowRect(0, 40, 40, 260));
    EXPECT_EQ(LaidOut(0x111, kClient, 40), WindowRect(360, 40, 400, 260));
    EXPECT_EQ(LaidOut(BarRight, WindowRect(-100, 50, 100, 250), 30), WindowRect(70, 80, 100, 220));
}

TEST(ScaleBarLayout, FlagsAreReplacedAndEdgesTestedRightLeftBottomTop)
{
    ScaleBarStyle bar;
    bar.Flags = 0xFFFF; // as if stored nonsense had been loaded
    bar.Layout(0x101, kClient, 40);
    EXPECT_EQ(bar.Flags, 0x101u);
    EXPECT_EQ(bar.Rect, WindowRect()); // no edge bit: hidden

    EXPECT_EQ(LaidOut(BarTop | BarRight, kClient, 40), LaidOut(BarRight, kClient, 40));
    EXPECT_EQ(LaidOut(BarTop | BarLeft, kClient, 40), LaidOut(BarLeft, kClient, 40));
    EXPECT_EQ(LaidOut(BarTop | BarBottom, kClient, 40), LaidOut(BarBottom, kClient, 40));
}

TEST(ScaleBarLayout, BarsThatDoNotFitAreEmpty)
{
    EXPECT_TRUE(LaidOut(BarTop, WindowRect(0, 0, 80, 80), 40).IsEmpty());
    // Inverted rectangles would become real areas in a region; none may survive,
    // also where the sums leave the 32-bit range (UBSan watches the native run).
    for (uint32_t edge : {BarTop, BarBottom, BarLeft, BarRight}) {
        SCOPED_TRACE(edge);
        EXPECT_EQ(LaidOut(edge, kClient, -10), WindowRect());
        EXPECT_EQ(LaidOut(edge, kClient, INT_MIN), WindowRect());
        EXPECT_EQ(LaidOut(edge, WindowRect(100, 100, 500, 400), INT_MAX), WindowRect());
        EXPECT_EQ(LaidOut(edge, WindowRect(-500, -400, -100, -100), INT_MIN), WindowRect());
    }
    const WindowRect whole(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(LaidOut(BarTop, whole, INT_MAX), WindowRect(-1, INT_MIN, 0, -1));
    EXPECT_EQ(LaidOut(BarRight, whole, INT_MAX), WindowRect(0, -1, INT_MAX, 0));
}

TEST(ScaleBarPersist, RoundTripsAllNineValuesInOrder)
{
    ScaleBarStyle saved;
    saved.Flags = 0x1A1;
    saved.ScaleS = 3;
    saved.ScaleM = -7;
    saved.ScaleL = 1000;
    saved.ColorS = 0x010203;
    saved.ColorM = 0x040506;
    saved.ColorL = 0x070809;
    saved.Back = 0xFFFFFFFF; // above INT_MAX: travels as its bit pattern
    saved.Text = 0x0A0B0C;
    MemoryProfile store;
    saved.Persist(store, "ScaleBar2", false);
    const std::vector<std::string> order = {"Flags",  "ScaleS", "ScaleM", "ScaleL", "ColorS",
                                            "ColorM", "ColorL", "Back",   "Text"};
    EXPECT_EQ(store.LoggedKeys('W'), order);
    EXPECT_EQ(store.ReadInt("ScaleBar2", "ScaleL", 0), 1000);
    EXPECT_EQ(store.ReadInt("ScaleBar2", "Back", 0), -1);
    store.log.clear();

    ScaleBarStyle loaded;
    loaded.Persist(store, "ScaleBar2", true);
    EXPECT_EQ(StoredFields(loaded), StoredFields(saved));
    EXPECT_EQ(store.LoggedKeys('R'), order);
}

TEST(ScaleBarPersist, MissingValuesKeepCurrentValues)
{
    MemoryProfile store(MemoryProfile::NameCase::Ignore); // as the registry matches names
    store.WriteInt("ScaleBar1", "ScaleM", 25);
    store.WriteInt("ScaleBar1", "text", 0x123456); // names match regardless of case
    store.WriteInt("ScaleBar3", "ScaleS", 99);     // another bar's section

    ScaleBarStyle bar;
    bar.ScaleS = 7;
    bar.ColorL = 0x00FF00;
    ScaleBarStyle expected = bar;
    expected.ScaleM = 25;
    expected.Text = 0x123456;
    bar.Persist(store, "ScaleBar1", true);
    EXPECT_EQ(StoredFields(bar), StoredFields(expected));
}

TEST(TickPositions, StepFromTheStartAndStopBeforeTheEnd)
{
    const TickRun run = TicksWithin(40, 360, 5, INT64_MIN, INT64_MAX);
    EXPECT_EQ(run.count, 63);
    EXPECT_EQ(run.At(0), 45);
    EXPECT_EQ(run.At(run.count - 1), 355);
    // u0 and u1 carry no tick, even where u1 is a multiple of the pitch from u0.
    EXPECT_EQ(TicksWithin(40, 340, 100, INT64_MIN, INT64_MAX).count, 2);
    EXPECT_EQ(TicksWithin(40, 140, 100, INT64_MIN, INT64_MAX).count, 0);
    EXPECT_EQ(TicksWithin(40, 141, 100, INT64_MIN, INT64_MAX).count, 1);
    for (int32_t pitch : {0, -1, INT_MIN}) EXPECT_EQ(TicksWithin(0, 1000, pitch, 0, 1000).count, 0) << pitch;
}

TEST(TickPositions, VisibleWindowLimitsTheRunWithoutWrapping)
{
    const TickRun run = TicksWithin(40, 360, 5, 100, 201);
    EXPECT_EQ(run.count, 21);
    EXPECT_EQ(run.At(0), 100);
    EXPECT_EQ(run.At(20), 200);
    EXPECT_EQ(TicksWithin(40, 360, 5, 101, 104).count, 0);
    EXPECT_EQ(TicksWithin(40, 360, 5, 500, 400).count, 0);

    // The whole 32-bit range with pitch 1 is cut to the window, not walked.
    const TickRun all = TicksWithin(INT_MIN, INT_MAX, 1, 0, 99);
    EXPECT_EQ(all.At(0), 0);
    EXPECT_EQ(all.count, 100);
    const TickRun wide = TicksWithin(INT_MIN, INT_MAX, INT_MAX, INT64_MIN, INT64_MAX);
    ASSERT_EQ(wide.count, 2);
    EXPECT_EQ(wide.At(0), -1);
    EXPECT_EQ(wide.At(1), int64_t{INT_MAX} - 1);
    EXPECT_EQ(TicksWithin(0, INT_MAX, INT_MAX, INT64_MIN, INT64_MAX).count, 0);
}

TEST(TickPositions, NumbersArePaddedToThreeCharacters)
{
    EXPECT_EQ(FormatScaleNumber(5), "  5");
    EXPECT_EQ(FormatScaleNumber(50), " 50");
    EXPECT_EQ(FormatScaleNumber(1000), "1000");
    EXPECT_EQ(FormatScaleNumber(4294967295LL), "4294967295");
}

} // namespace
