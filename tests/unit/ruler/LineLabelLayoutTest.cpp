#include "ruler/LineLabelLayout.h"

#include <gtest/gtest.h>

TEST(LineLabelLayout, LabelsMoveAsideAlongTheirLinesOrTheLaterOneIsLeftOut)
{
    // A bar 320 long whose length label takes 305 to 335; labels 40 wide on lines 1 px wide,
    // centred as DrawText centres them in the line's rectangle (one wider than its band).
    const BarSpan length = {305, 335};
    struct Case {
        const char* name;
        std::vector<int64_t> lines; // in the order they were added
        bool lengthLabel;
        std::vector<int64_t> begins; // -1: left out
    } const cases[] = {
        {"far apart: each centred", {100, 200}, true, {81, 181}},
        {"1 px apart: either side of the pair", {100, 101}, true, {61, 102}},
        {"2 px apart", {100, 102}, true, {61, 102}},
        {"5 px apart", {100, 105}, true, {63, 104}},
        {"three 1 px apart: the last added goes", {100, 102, 101}, true, {61, 102, -1}},
        {"near the far end: moved back along the line", {290}, true, {264}},
        {"two near the far end share the room left", {290, 250}, true, {264, 223}},
        {"12 px before the far end: under the length label, left out", {308}, true, {-1}},
        {"12 px before the end of a bar without numbers: centred", {308}, false, {289}},
        {"at the start: none moved past the bar's start, the later left out", {20, 22}, true, {1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LineLabel> labels;
        for (int64_t v : c.lines) labels.push_back({v, v + 1, v - 19, 40});
        std::vector<int64_t> begins;
        for (const LabelPlace& place : PlaceLineLabels(labels, 320, c.lengthLabel, length))
            begins.push_back(place.shown ? place.begin : -1);
        EXPECT_EQ(c.begins, begins);
    }
}
