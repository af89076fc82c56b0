// The command line's side of the ruler against a stand-in: what a later start's command
// does and answers, and a start for /save that ends with its exit code.
#include "app/CommandTool.h"
#include "resources/resource.h"
#include "support/FakeRulerHost.h"
#include "support/PngHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CommandTool : public testing::Test {
protected:
    void SetUp() override
    {
        host.model.options.CopyTimer = 0;
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        picture = temp + std::wstring(L"mensuro-command-tool.png");
        DeleteFileW(picture.c_str());
    }
    void TearDown() override { DeleteFileW(picture.c_str()); }

    // The tool's answer to a later start handing `command` over.
    LRESULT HandOver(CCommandTool& tool, const CommandLine& command)
    {
        std::vector<unsigned char> data = EncodeHandOver(command);
        COPYDATASTRUCT copy = {kHandOverId, static_cast<DWORD>(data.size()), data.data()};
        LRESULT answer = 0;
        EXPECT_TRUE(tool.OnMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), answer));
        return answer;
    }
    // The message the ruler was posted, or 0.
    UINT Posted(WPARAM* command = nullptr)
    {
        MSG msg = {};
        if (!PeekMessageW(&msg, host.Window(), 0, 0, PM_REMOVE)) return 0;
        if (command) *command = msg.wParam;
        return msg.message;
    }

    FakeRulerHost host{300, 200}; // the picture: its inner area, 220 x 120
    std::wstring picture;
};

} // namespace

TEST_F(CommandTool, ALaterStartsCommandActsOnTheRulerAndIsAnswered)
{
    CCommandTool tool(host, {});
    WPARAM command = 0;
    EXPECT_EQ(kHandOverDone, HandOver(tool, {StartCommand::Exit, {}}));
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), Posted(&command));
    EXPECT_EQ(static_cast<WPARAM>(IDOK), command) << "the ruler's Exit, which saves the options";
    EXPECT_EQ(kHandOverDone, HandOver(tool, {StartCommand::Copy, {}}));
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), Posted(&command));
    EXPECT_EQ(static_cast<WPARAM>(ID_COPY), command);
    EXPECT_EQ(kHandOverDone, HandOver(tool, {StartCommand::Show, {}}));
    EXPECT_TRUE(IsWindowVisible(host.Window()));
    EXPECT_EQ(kHandOverDone, HandOver(tool, {StartCommand::Save, picture}));
    EXPECT_EQ(220, PngFileSize(picture).cx);
    EXPECT_EQ(120, PngFileSize(picture).cy);

    COPYDATASTRUCT other = {kHandOverId + 1, 0, nullptr};
    LRESULT answer = 0;
    EXPECT_FALSE(tool.OnMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other), answer)) << "not ours to answer";
}

TEST_F(CommandTool, AStartForSaveWritesThePictureThenEndsWithWhetherItCould)
{
    for (const std::wstring& path : {picture, picture + L"\\no folder\\x.png"}) {
        const bool writable = path == picture;
        DeleteFileW(picture.c_str());
        CCommandTool tool(host, {StartCommand::Save, path});
        tool.OnStart();
        MSG msg = {};
        ASSERT_TRUE(PeekMessageW(&msg, host.Window(), 0, 0, PM_REMOVE));
        LRESULT result = 0;
        EXPECT_TRUE(tool.OnMessage(msg.message, msg.wParam, msg.lParam, result)) << "the save it posted itself";
        WPARAM command = 0;
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), Posted(&command));
        EXPECT_EQ(static_cast<WPARAM>(IDOK), command) << "it ends either way";
        EXPECT_EQ(writable ? kExitDone : kExitNotSaved, tool.ExitCode());
        EXPECT_EQ(writable, PngFileSize(picture).cx == 220);
        // A handed-over save it cannot make is answered without a message box: no script waits.
        if (!writable) {
            EXPECT_EQ(kHandOverNotSaved, HandOver(tool, {StartCommand::Save, path}));
        }
    }
}
