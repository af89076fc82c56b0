// A later start's command, handed to the command line's side of a stand-in ruler.
#include "app/CommandTool.h"
#include "resources/resource.h"
#include "ruler/RulerTimers.h"
#include "framework/Handles.h"
#include "support/FakeRulerHost.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>

TEST(CommandTool, ALaterStartsCommandIsAnsweredAndActsOnTheRuler)
{
    FakeRulerHost host(300, 200);
    CCommandTool tool(host, {});
    // The answer to the hand-over, and the command it posted to the ruler (or 0).
    auto handOver = [&](StartCommand command) {
        std::vector<unsigned char> data = EncodeHandOver({command, {}, {}});
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

namespace {

// A second start's hand-over with `replyTo` for a Save's result, and the ruler's answer.
LRESULT HandOver(CCommandTool& tool, HWND replyTo, const CommandLine& command)
{
    std::vector<unsigned char> data = EncodeHandOver(command);
    COPYDATASTRUCT copy = {kHandOverId, static_cast<DWORD>(data.size()), data.data()};
    LRESULT answer = -1;
    EXPECT_TRUE(tool.OnMessage(WM_COPYDATA, reinterpret_cast<WPARAM>(replyTo), reinterpret_cast<LPARAM>(&copy), answer));
    return answer;
}

// The Save's result posted to `window`; -1 while none has come.
intptr_t ResultAt(HWND window)
{
    MSG msg = {};
    const UINT message = RegisterWindowMessageW(kSaveResultMessageName);
    return PeekMessageW(&msg, window, message, message, PM_REMOVE) ? static_cast<intptr_t>(msg.wParam) : -1;
}

std::string FileStart(const std::wstring& path, size_t length)
{
    std::string bytes(length, '\0');
    std::ifstream(path.c_str(), std::ios::binary).read(&bytes[0], static_cast<std::streamsize>(length));
    return bytes;
}

} // namespace

TEST(CommandTool, AHandedOverSaveAnswersAtOnceWaitsForTheDialogAndRunsAlone)
{
    FakeRulerHost host(300, 200);
    host.model.options.CopyTimer = 500;
    CCommandTool tool(host, {});
    OwnedWindow reply;
    reply.reset(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring bmp = temp + std::wstring(L"mensuro-handed-over.bmp"), jpeg = temp + std::wstring(L"m.jpg");

    EXPECT_EQ(kHandOverSaving, HandOver(tool, reply.get(), {StartCommand::Save, bmp, {}})) << "no loop in the handler";
    EXPECT_EQ(500u, host.timers[TimerHandOverSave]) << "the copy's delay";
    EXPECT_EQ(1, host.picturesAside);
    EXPECT_EQ(kHandOverNotSaved, HandOver(tool, nullptr, {StartCommand::Save, jpeg, {}})) << "one at a time";
    EXPECT_EQ(kHandOverNotSaved, HandOver(tool, nullptr, {StartCommand::Save, L"relative.png", {}})) << "ill-formed";
    host.dialogOpen = true;
    tool.OnTimer(TimerHandOverSave);
    EXPECT_EQ(-1, ResultAt(reply.get())) << "the dialog would be in the picture";
    host.dialogOpen = false;
    tool.OnTimer(TimerHandOverSave);
    EXPECT_EQ(kHandOverDone, ResultAt(reply.get()));
    EXPECT_EQ("BM", FileStart(bmp, 2)) << "the type the extension names";
    EXPECT_EQ(0, host.picturesAside);

    // A Copy waits for the dialog too; an Exit within a save's delay takes the save first.
    host.dialogOpen = true;
    MSG msg = {};
    EXPECT_EQ(kHandOverDone, HandOver(tool, nullptr, {StartCommand::Copy, {}, {}}));
    EXPECT_FALSE(PeekMessageW(&msg, host.Window(), WM_COMMAND, WM_COMMAND, PM_REMOVE)) << "no picture of the dialog";
    host.dialogOpen = false;
    tool.OnTimer(TimerHandOverCopy);
    ASSERT_TRUE(PeekMessageW(&msg, host.Window(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(ID_COPY, LOWORD(msg.wParam));
    EXPECT_EQ(kHandOverSaving, HandOver(tool, reply.get(), {StartCommand::Save, jpeg, {}}));
    const DWORD told = GetTickCount();
    tool.OnEnding();
    EXPECT_GE(GetTickCount() - told, 450u) << "the delay is kept";
    EXPECT_EQ(kHandOverDone, ResultAt(reply.get()));
    EXPECT_EQ("\xFF\xD8\xFF", FileStart(jpeg, 3));
    EXPECT_EQ(0, HandOver(tool, nullptr, {StartCommand::Show, {}, {}})) << "refused: the sender is to be the ruler";
    DeleteFileW(bmp.c_str());
    DeleteFileW(jpeg.c_str());
}
