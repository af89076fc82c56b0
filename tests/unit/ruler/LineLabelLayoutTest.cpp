#include "ruler/LineLabelLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A bar 320 long whose length label is 30 wide, centred on its end; labels 40 wide on
// lines 1 px wide (a line at v paints the bar's offset v).
constexpr int64_t kBar = 320;
constexpr int32_t kWidth = 40;
const BarSpan kLengthLabel = {305, 335};

LineLabel LabelOf(int64_t v)
{
    // Centred as DrawText centres it in the line's rectangle, one wider than its band.
    return {v, v + 1, v + (2 - kWidth) / 2, kWidth};
}

} // namespace

TEST(LineLabelLayout, LabelsMoveAsideAlongTheirLinesOrTheLaterOneIsLeftOut)
{
    struct Case {
        const char* name;
        std::vector<int64_t> lines; // in the order they were added
        bool lengthLabel;
        std::vector<int64_t> begins; // -1: left out
    };
    const Case cases[] = {
        {"far apart: each centred", {100, 200}, true, {81, 181}},
        {"1 px apart: either side of the pair", {100, 101}, true, {61, 102}},
        {"2 px apart", {100, 102}, true, {61, 102}},
        {"5 px apart", {100, 105}, true, {63, 104}},
        {"three 1 px apart: the last added goes", {100, 102, 101}, true, {61, 102, -1}},
        {"two on one place: side by side", {150, 150}, true, {110, 151}},
        {"clear of the length label: centred", {280}, true, {261}},
        {"near the far end: moved back along the line", {290}, true, {264}},
        {"12 px before the far end: under the length label, left out", {308}, true, {-1}},
        {"12 px before the end of a bar without numbers: centred", {308}, false, {289}},
        {"at the start: none moved past the bar's start, the later left out", {20, 22}, true, {1, -1}},
        {"two near the far end share the room left", {290, 250}, true, {264, 223}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LineLabel> labels;
        for (int64_t v : c.lines) labels.push_back(LabelOf(v));
        const std::vector<LabelPlace> places = PlaceLineLabels(labels, kBar, c.lengthLabel, kLengthLabel);
        ASSERT_EQ(labels.size(), places.size());
        std::vector<int64_t> begins, shown;
        for (size_t i = 0; i < places.size(); ++i) {
            begins.push_back(places[i].shown ? places[i].begin : -1);
            if (!places[i].shown) continue;
            shown.push_back(places[i].begin);
            EXPECT_TRUE(places[i].begin <= labels[i].lineEnd && places[i].begin + kWidth >= labels[i].lineBegin)
                << "label " << i << " touches its line";
            if (c.lengthLabel) {
                EXPECT_LT(places[i].begin + kWidth, kLengthLabel.begin) << "label " << i;
            }
        }
        EXPECT_EQ(c.begins, begins);
        std::sort(shown.begin(), shown.end());
        for (size_t i = 1; i < shown.size(); ++i) EXPECT_GT(shown[i], shown[i - 1] + kWidth) << "labels overprint";
    }
}
