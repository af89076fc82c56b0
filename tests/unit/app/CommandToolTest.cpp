// A later start's command, handed to the command line's side of a stand-in ruler.
#include "app/CommandTool.h"
#include "resources/resource.h"
#include "support/FakeRulerHost.h"

#include <gtest/gtest.h>

#include <utility>

TEST(CommandTool, ALaterStartsCommandIsAnsweredAndActsOnTheRuler)
{
    FakeRulerHost host(300, 200);
    CCommandTool tool(host, {});
    // The answer to the hand-over, and the command it posted to the ruler (or 0).
    auto handOver = [&](StartCommand command) {
        std::vector<unsigned char> data = EncodeHandOver({command, {}});
        COPYDATASTRUCT copy = {kHandOverId, static_cast<DWORD>(data.size()), data.data()};
        LRESULT answer = 0;
        EXPECT_TRUE(tool.OnMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), answer));
        MSG msg = {};
        const UINT posted =
            PeekMessageW(&msg, host.Window(), WM_COMMAND, WM_COMMAND, PM_REMOVE) ? LOWORD(msg.wParam) : 0;
        return std::make_pair(static_cast<intptr_t>(answer), posted);
    };
    EXPECT_EQ(std::make_pair(kHandOverDone, static_cast<UINT>(IDOK)), handOver(StartCommand::Exit))
        << "the ruler's Exit, which saves the options";
    EXPECT_EQ(std::make_pair(kHandOverDone, static_cast<UINT>(ID_COPY)), handOver(StartCommand::Copy));
    EXPECT_EQ(std::make_pair(kHandOverDone, 0u), handOver(StartCommand::Show));
    EXPECT_TRUE(IsWindowVisible(host.Window()));

    COPYDATASTRUCT other = {kHandOverId + 1, 0, nullptr};
    LRESULT answer = 0;
    EXPECT_FALSE(tool.OnMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other), answer)) << "not ours to answer";
}
