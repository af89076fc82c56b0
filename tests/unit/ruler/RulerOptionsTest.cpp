#include "ruler/RulerOptions.h"
#include "ruler/WindowRect.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

#include <climits>

TEST(RulerOptions, SaveThenLoadRoundTripsInFixedOrder)
{
    RulerOptions saved;
    saved.Option = 0x70B;
    saved.Flags = 0x101;
    saved.ScaleSize = 70;
    saved.LineSize = 3;
    saved.LineColor = 0x123456;
    saved.LineTextColor = 0xABCDEF;
    saved.CopyTimer = 2000;
    saved.CopyOffsetX = -20;
    saved.CopyOffsetY = 15;
    saved.DisplayUnit = Unit::Inches;
    MemoryProfile store;
    saved.Persist(store, false);
    const std::vector<std::string> order = {"Option",      "Flags",         "ScaleSize",     "LineSize",
                                            "LineColor",   "LineTextColor", "CopyTimer",     "CopyOffsetX",
                                            "CopyOffsetY", "LoupeZoom",     "EdgeTolerance", "Unit"};
    EXPECT_EQ(order, store.LoggedKeys('W'));

    RulerOptions loaded;
    loaded.Persist(store, true);
    EXPECT_EQ(order, store.LoggedKeys('R'));
    EXPECT_EQ(saved.Option, loaded.Option);
    EXPECT_EQ(saved.Flags, loaded.Flags);
    EXPECT_EQ(70, loaded.ScaleSize);
    EXPECT_EQ(3, loaded.LineSize);
    EXPECT_EQ(0x123456u, loaded.LineColor);
    EXPECT_EQ(0xABCDEFu, loaded.LineTextColor);
    EXPECT_EQ(2000, loaded.CopyTimer);
    EXPECT_EQ(-20, loaded.CopyOffsetX);
    EXPECT_EQ(15, loaded.CopyOffsetY);
    EXPECT_EQ(Unit::Inches, loaded.DisplayUnit);
}

TEST(RulerOptions, MissingValuesKeepWhatIsInMemory)
{
    MemoryProfile store;
    store.WriteInt("CMensuroDlg", "LineSize", 6);
    RulerOptions options;
    options.ScaleSize = 90;
    options.Persist(store, true);
    EXPECT_EQ(90, options.ScaleSize);
    EXPECT_EQ(6, options.LineSize);
    EXPECT_EQ(15u, options.Option);
}

TEST(RulerOptions, SanitizeFixesNonsenseAndKeepsSensibleValues)
{
    RulerOptions o;
    o.ScaleSize = 0;
    o.LineSize = -3;
    o.CopyTimer = -1;
    o.CopyOffsetX = INT_MIN;
    o.CopyOffsetY = 100000;
    o.LineColor = 0xFF00FF00;
    o.Sanitize();
    EXPECT_EQ(40, o.ScaleSize);
    EXPECT_EQ(1, o.LineSize);
    EXPECT_EQ(100, o.CopyTimer);
    EXPECT_EQ(-MaxCopyOffset, o.CopyOffsetX);
    EXPECT_EQ(MaxCopyOffset, o.CopyOffsetY);
    EXPECT_EQ(0x0000FF00u, o.LineColor);

    RulerOptions huge;
    huge.ScaleSize = 1 << 30;
    huge.LineSize = 1 << 30;
    huge.Sanitize();
    EXPECT_EQ(MaxScaleSize, huge.ScaleSize);
    EXPECT_EQ(MaxLineSize, huge.LineSize);

    for (int sensible : {20, 120, 30, 100}) {
        RulerOptions kept;
        kept.ScaleSize = sensible;
        kept.LineSize = 12;
        kept.Sanitize();
        EXPECT_EQ(sensible, kept.ScaleSize);
        EXPECT_EQ(12, kept.LineSize);
    }
}

TEST(WindowRectPersist, UsesUpperCaseEdgeNamesAndCurrentEdgesAsDefaults)
{
    MemoryProfile store;
    WindowRect(1, 2, 3, 4).Persist(store, "CMensuroDlg", false);
    EXPECT_EQ((std::vector<std::string>{"LEFT", "RIGHT", "TOP", "BOTTOM"}), store.LoggedKeys('W'));
    MemoryProfile partial;
    partial.WriteInt("CMensuroDlg", "RIGHT", 300);
    WindowRect r(10, 20, 30, 40);
    r.Persist(partial, "CMensuroDlg", true);
    EXPECT_EQ(WindowRect(10, 20, 300, 40), r);
}

TEST(RulerOptions, LoupeZoomAndEdgeToleranceKeepOnlyValuesTheFeaturesCanUse)
{
    MemoryProfile store;
    store.WriteInt("CMensuroDlg", "LoupeZoom", 16);
    store.WriteInt("CMensuroDlg", "EdgeTolerance", 0);
    RulerOptions o;
    o.Persist(store, true);
    o.Sanitize();
    EXPECT_EQ(16, o.LoupeZoom);
    EXPECT_EQ(0, o.EdgeTolerance);

    for (int zoom : {0, 3, 12, 64, -8}) {
        RulerOptions odd;
        odd.LoupeZoom = zoom;
        odd.Sanitize();
        EXPECT_EQ(8, odd.LoupeZoom) << zoom;
    }
    for (int tolerance : {-1, 256, 1 << 30}) {
        RulerOptions odd;
        odd.EdgeTolerance = tolerance;
        odd.Sanitize();
        EXPECT_EQ(8, odd.EdgeTolerance) << tolerance;
    }
    RulerOptions top;
    top.EdgeTolerance = 255;
    top.Sanitize();
    EXPECT_EQ(255, top.EdgeTolerance);
}
