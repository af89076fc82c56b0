// A later start's command, handed to the command line's side of a stand-in ruler.
#include "app/CommandTool.h"
#include "resources/resource.h"
#include "ruler/RulerTimers.h"
#include "support/FakeRulerHost.h"

#include <gtest/gtest.h>

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

// A second start as the ruler sees it: its reply window, and its hand-overs.
class SecondStart {
public:
    explicit SecondStart(CCommandTool& tool) : m_tool(tool) {}
    ~SecondStart() { DestroyWindow(m_window); }

    // The WM_COPYDATA's answer, or nullopt when the ruler does not take it as a hand-over.
    LRESULT HandOver(const CommandLine& command)
    {
        std::vector<unsigned char> data = EncodeHandOver(command);
        COPYDATASTRUCT copy = {kHandOverId, static_cast<DWORD>(data.size()), data.data()};
        LRESULT answer = -1;
        EXPECT_TRUE(m_tool.OnMessage(WM_COPYDATA, reinterpret_cast<WPARAM>(m_window), reinterpret_cast<LPARAM>(&copy),
                                     answer));
        return answer;
    }
    // The Save's result posted to the reply window; -1 while none came.
    intptr_t Result() const
    {
        MSG msg = {};
        const UINT message = RegisterWindowMessageW(kSaveResultMessageName);
        return PeekMessageW(&msg, m_window, message, message, PM_REMOVE) ? static_cast<intptr_t>(msg.wParam) : -1;
    }

private:
    CCommandTool& m_tool;
    HWND m_window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
};

std::wstring TempFile(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = temp + std::wstring(name);
    DeleteFileW(path.c_str());
    return path;
}

std::string FileStart(const std::wstring& path)
{
    char bytes[4] = {};
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) ReadFile(file, bytes, sizeof(bytes), &read, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return std::string(bytes, read);
}

} // namespace

TEST(CommandTool, AHandedOverSaveAnswersAtOnceWaitsForTheDialogAndRunsAlone)
{
    FakeRulerHost host(300, 200);
    host.model.options.CopyTimer = 500;
    CCommandTool tool(host, {});
    SecondStart first(tool), second(tool);
    const std::wstring path = TempFile(L"mensuro-handed-over.bmp");

    EXPECT_EQ(kHandOverSaving, first.HandOver({StartCommand::Save, path, {}})) << "no loop runs in the handler";
    EXPECT_EQ(500u, host.timers[TimerHandOverSave]) << "the copy's delay";
    EXPECT_EQ(1, host.picturesAside);
    EXPECT_EQ(kHandOverNotSaved, second.HandOver({StartCommand::Save, TempFile(L"mensuro-second.png"), {}}))
        << "one save at a time";
    EXPECT_EQ(kHandOverNotSaved, second.HandOver({StartCommand::Save, L"relative.png", {}})) << "ill-formed";

    host.dialogOpen = true;
    tool.OnTimer(TimerHandOverSave);
    EXPECT_EQ(-1, first.Result()) << "the dialog would be in the picture";
    EXPECT_EQ(200u, host.timers[TimerHandOverSave]);
    host.dialogOpen = false;
    tool.OnTimer(TimerHandOverSave);
    EXPECT_EQ(kHandOverDone, first.Result());
    EXPECT_EQ("BM", FileStart(path).substr(0, 2)) << "the type the extension names";
    EXPECT_EQ(0, host.picturesAside);
    EXPECT_EQ(0u, host.timers.count(TimerHandOverSave));
    DeleteFileW(path.c_str());
}

TEST(CommandTool, ACopyWaitsForTheDialogAndAnEndingRulerTakesItsSaveAndNothingMore)
{
    FakeRulerHost host(300, 200);
    host.model.options.CopyTimer = 300;
    CCommandTool tool(host, {});
    SecondStart start(tool);
    MSG msg = {};

    host.dialogOpen = true;
    EXPECT_EQ(kHandOverDone, start.HandOver({StartCommand::Copy, {}, {}}));
    EXPECT_FALSE(PeekMessageW(&msg, host.Window(), WM_COMMAND, WM_COMMAND, PM_REMOVE)) << "no picture of the dialog";
    host.dialogOpen = false;
    tool.OnTimer(TimerHandOverCopy);
    ASSERT_TRUE(PeekMessageW(&msg, host.Window(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(ID_COPY, LOWORD(msg.wParam));

    const std::wstring path = TempFile(L"mensuro-at-exit.jpg");
    EXPECT_EQ(kHandOverSaving, start.HandOver({StartCommand::Save, path, {}}));
    const DWORD told = GetTickCount();
    tool.OnEnding(); // Exit chosen within the delay
    EXPECT_GE(GetTickCount() - told, 250u) << "the delay is kept";
    EXPECT_EQ(kHandOverDone, start.Result()) << "the save is taken before the ruler goes";
    EXPECT_EQ("\xFF\xD8\xFF", FileStart(path).substr(0, 3));
    EXPECT_EQ(0, host.picturesAside);
    EXPECT_EQ(0, start.HandOver({StartCommand::Show, {}, {}})) << "refused: the sender is to be the ruler";
    DeleteFileW(path.c_str());
}
