// The copy's delays against a stand-in ruler.
#include "copy/CopyTool.h"
#include "resources/resource.h"
#include "ruler/RulerTimers.h"
#include "support/FakeRulerHost.h"

#include <gtest/gtest.h>

TEST(CopyTool, ASavePictureDelayThatEndsUnderAnOpenDialogWaitsForItToClose)
{
    FakeRulerHost host(400, 300);
    host.model.options.CopyTimer = 700;
    CCopyTool copy(host);
    EXPECT_TRUE(copy.OnCommand(ID_SAVE_PICTURE));
    EXPECT_EQ(700u, host.timers[TimerSavePicture]);
    EXPECT_TRUE(copy.OnKey('C', true));
    EXPECT_EQ(700u, host.timers[TimerCopy]) << "Ctrl+C starts Copy's own delay";
    EXPECT_TRUE(copy.OnCommand(ID_COPY));
    EXPECT_EQ(2, host.picturesAside) << "once for each picture, not each command";

    host.dialogOpen = true;
    copy.OnTimer(TimerSavePicture);
    ASSERT_EQ(1u, host.timers.count(TimerSavePicture)) << "the Save dialog would stack on the open one";
    EXPECT_GT(700u, host.timers[TimerSavePicture]) << "it looks again soon, not after a whole delay";
}
