#include "measure/MeasureLabels.h"

#include <gtest/gtest.h>

namespace {

bool Overlap(const WindowRect& a, const WindowRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

TEST(MeasureLabels, ShortRaysLabelsGiveWayOutwardPastThePointerTheSizeLabelAndEachOther)
{
    const WindowRect pointer(95, 95, 112, 120), sizeLabel(112, 112, 160, 132);
    const struct {
        const char* name;
        std::vector<LabelWish> wishes;
        std::vector<WindowRect> expected;
    } cases[] = {
        // Long rays: the labels sit where they would, clear of everything.
        {"clear", {{WindowRect(20, 78, 40, 98), -1, 0}, {WindowRect(200, 78, 220, 98), 1, 0}},
         {WindowRect(20, 78, 40, 98), WindowRect(200, 78, 220, 98)}},
        // Left and right rays 2 px long: both would be on the pointer; each moves its own way.
        {"left and right", {{WindowRect(89, 78, 109, 98), -1, 0}, {WindowRect(91, 78, 111, 98), 1, 0}},
         {WindowRect(73, 78, 93, 98), WindowRect(114, 78, 134, 98)}},
        // Up and down rays short, left of the line: the second moves down past the first.
        {"up and down", {{WindowRect(60, 88, 80, 108), 0, -1}, {WindowRect(60, 92, 80, 112), 0, 1}},
         {WindowRect(60, 88, 80, 108), WindowRect(60, 110, 80, 130)}},
        // Pushed past the pointer onto the size label, then past that as well.
        {"two boxes", {{WindowRect(100, 105, 120, 115), 1, 0}}, {WindowRect(162, 105, 182, 115)}},
    };
    for (const auto& c : cases) {
        const std::vector<WindowRect> placed = PlaceLabels(c.wishes, {pointer, sizeLabel}, 2);
        ASSERT_EQ(c.expected.size(), placed.size()) << c.name;
        for (size_t i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(c.expected[i], placed[i]) << c.name << " label " << i;
            EXPECT_FALSE(Overlap(placed[i], pointer) || Overlap(placed[i], sizeLabel)) << c.name << " label " << i;
            for (size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(placed[i], placed[j])) << c.name;
        }
    }
}
