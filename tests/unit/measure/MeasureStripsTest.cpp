#include "measure/MeasureStrips.h"

#include <gtest/gtest.h>

TEST(MeasureStrips, ASpanRepaintsItsTwoStripsAndItsLabelNeverTheBoxAroundThem)
{
    Measurement m;
    m.left = 0;
    m.right = 3839;
    m.top = 0;
    m.bottom = 2159;
    m.from = {1000, 500};
    const struct {
        MeasureKind kind;
        size_t strips;
    } cases[] = {{MeasureKind::Spacing, 3}, {MeasureKind::Horizontal, 2}, {MeasureKind::Vertical, 2}};
    for (const auto& c : cases) {
        m.kind = c.kind;
        const std::vector<WindowRect> strips = MeasurementStrips(m, 10);
        ASSERT_EQ(c.strips, strips.size()) << static_cast<int>(c.kind);
        int64_t area = 0;
        for (const WindowRect& r : strips) {
            area += int64_t(r.Width()) * r.Height();
            EXPECT_TRUE(r.Contains(m.from.x, m.from.y)) << "every strip holds the point";
        }
        EXPECT_LT(area, 3840 * 2160 / 20) << static_cast<int>(c.kind);
    }
    // A short line's label reaches beyond its bounds: the strips hold it.
    m.kind = MeasureKind::Line;
    m.from = {100, 100};
    m.to = {104, 100};
    const std::vector<WindowRect> line = MeasurementStrips(m, 10);
    EXPECT_TRUE(line[0].Contains(100, 100) && line[0].Contains(104, 100));
    EXPECT_TRUE(line[1].Contains(102 + 50, 105));
}

TEST(MeasureStrips, TheHintMovesToTheBottomWhileThePointerIsUnderIt)
{
    const WindowRect monitor(-1920, 0, 0, 1080);
    const struct {
        MeasurePoint pointer;
        int32_t top;
    } cases[] = {
        {{-960, 500}, 8},            // far below the hint
        {{-960, 20}, 1080 - 8 - 30}, // on it
        {{-960, 2}, 1080 - 8 - 30},  // within the margin above it
        {{-1900, 20}, 8},            // beside it
    };
    for (const auto& c : cases) {
        const WindowRect hint = PlaceMeasureHint(monitor, 400, 30, 8, c.pointer);
        EXPECT_EQ(c.top, hint.top) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(-960 - 200, hint.left);
        EXPECT_FALSE(hint.Contains(c.pointer.x, c.pointer.y));
    }
}
