#include "shell/RulerPlacement.h"

#include <gtest/gtest.h>

namespace {

// A primary monitor, one left of it (taller) and one above it (narrower).
const std::vector<WindowRect> kMonitors = {
    {0, 0, 1920, 1080},
    {-1280, 0, 0, 1024},
    {0, -900, 1600, 0},
};

} // namespace

TEST(RulerPlacement, InnerCornerGoesToThePointerKeptOnItsMonitor)
{
    const struct {
        const char* name;
        WindowRect window;
        int32_t pointerX, pointerY;
        WindowRect expected;
    } cases[] = {
        {"room all round", {5, 5, 405, 305}, 500, 400, {460, 360, 860, 660}},
        {"near the right edge", {5, 5, 405, 305}, 1900, 500, {1520, 460, 1920, 760}},
        {"near the bottom edge", {5, 5, 405, 305}, 700, 1079, {660, 780, 1060, 1080}},
        {"at the top-left corner", {5, 5, 405, 305}, 0, 0, {0, 0, 400, 300}},
        {"monitor left of the primary", {5, 5, 405, 305}, -100, 1000, {-400, 724, 0, 1024}},
        {"left monitor, near its left edge", {5, 5, 405, 305}, -1270, 10, {-1280, 0, -880, 300}},
        {"monitor above the primary", {5, 5, 405, 305}, 10, -5, {0, -300, 400, 0}},
        {"above, near its right edge", {5, 5, 405, 305}, 1590, -800, {1200, -840, 1600, -540}},
        {"larger than the monitor, pointer inside", {0, 0, 3000, 1200}, 500, 500, {0, 0, 3000, 1200}},
        {"larger, corner can stay at the pointer", {0, 0, 3000, 1200}, 10, 20, {-30, -20, 2970, 1180}},
        {"larger, pointer near the far corner", {0, 0, 3000, 1200}, 1900, 1070, {0, 0, 3000, 1200}},
        {"larger than the left monitor", {0, 0, 3000, 1200}, -1270, 1000, {-1310, 0, 1690, 1200}},
        {"pointer outside every monitor", {5, 5, 405, 305}, 2500, 500, {1520, 460, 1920, 760}},
    };
    for (const auto& c : cases) {
        const WindowRect placed = RulerAtPointer(c.window, 40, 40, c.pointerX, c.pointerY, kMonitors);
        EXPECT_EQ(c.expected, placed) << c.name << ": " << placed.left << "," << placed.top << "," << placed.right
                                      << "," << placed.bottom;
    }
}

TEST(RulerPlacement, WithoutMonitorsTheCornerIsAtThePointer)
{
    EXPECT_EQ(WindowRect(-5000, 2970, -4600, 3270), RulerAtPointer({0, 0, 400, 300}, 30, 30, -4970, 3000, {}));
}

TEST(RulerPlacement, AltArrowsStepOnePixelTenWithShift)
{
    const struct {
        uint32_t key;
        bool shift;
        int32_t dx, dy;
    } steps[] = {
        {0x25, false, -1, 0}, {0x27, false, 1, 0}, {0x26, false, 0, -1}, {0x28, false, 0, 1},
        {0x25, true, -10, 0}, {0x27, true, 10, 0}, {0x26, true, 0, -10}, {0x28, true, 0, 10},
    };
    for (const auto& s : steps) {
        const auto step = RulerMoveStep(s.key, s.shift);
        ASSERT_TRUE(step.has_value()) << s.key;
        EXPECT_EQ(s.dx, step->dx) << s.key << " " << s.shift;
        EXPECT_EQ(s.dy, step->dy) << s.key << " " << s.shift;
    }
    // F4 (Alt+F4 closes), the numeric keypad's arrows with Num Lock (Alt codes), Home.
    for (uint32_t other : {0x73u, 0x64u, 0x66u, 0x24u, 0x12u}) EXPECT_FALSE(RulerMoveStep(other, false)) << other;
}
