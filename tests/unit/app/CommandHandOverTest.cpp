// The command line as Windows splits it, and its hand-over to a running ruler.
#include "app/CommandHandOver.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <thread>

TEST(CommandHandOver, SplitAgreesWithTheSystem)
{
    for (const wchar_t* whole :
         {L"m.exe", L"m.exe  /show\t", LR"("C:\Program Files\m.exe" /save "C:\My Shots\a b.png")", LR"("C:\dir\" /x)",
          LR"("C:\a b\m.exe"x y)", LR"(m a\b\\c)", LR"(m a\\\"b c)", LR"(m "a\\" b)", LR"(m "a\\\" b")",
          LR"(m a"b c"d e)", LR"(m "a""b c")", LR"(m """a b""")", LR"(m "" x)", LR"(m "unclosed group)",
          LR"(m a"""b"""" c)"}) {
        int count = 0;
        LPWSTR* argv = CommandLineToArgvW(whole, &count);
        ASSERT_NE(nullptr, argv);
        const std::vector<std::wstring> system(argv, argv + count);
        LocalFree(argv);
        EXPECT_EQ(system, SplitCommandLine(whole)) << whole;
    }
}

namespace {

// Plays the running ruler on a thread of its own: takes a Save and posts its result at
// once (written or not, as set), answers anything else with "done" (or 0, as a ruler that
// has begun to end does), and keeps the last command it was handed.
class RulerStandIn {
public:
    RulerStandIn()
    {
        m_thread = std::thread([this] {
            s_self = this;
            m_threadId = GetCurrentThreadId();
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &RulerStandIn::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"MensuroRulerStandIn";
            RegisterClassW(&wc);
            m_window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                       nullptr);
            SetEvent(m_ready);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            DestroyWindow(m_window);
            UnregisterClassW(wc.lpszClassName, wc.hInstance);
        });
        WaitForSingleObject(m_ready, 5000);
    }
    ~RulerStandIn()
    {
        PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
        CloseHandle(m_ready);
    }
    HWND Window() const { return m_window; }
    const std::optional<CommandLine>& Last() const { return m_last; }
    bool saves = true;
    bool ending = false;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_COPYDATA) return DefWindowProcW(hwnd, message, wParam, lParam);
        s_self->m_last = ReceivedCommand(lParam);
        if (!s_self->m_last || s_self->ending) return 0;
        if (s_self->m_last->command != StartCommand::Save) return kHandOverDone;
        PostSaveResult(reinterpret_cast<HWND>(wParam), s_self->saves);
        return kHandOverSaving;
    }

    static inline RulerStandIn* s_self = nullptr;
    HANDLE m_ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND m_window = nullptr;
    DWORD m_threadId = 0;
    std::optional<CommandLine> m_last;
    std::thread m_thread;
};

} // namespace

TEST(CommandHandOver, TheSecondStartEndsWithTheRulersResultOrLeavesTheStartToItself)
{
    RulerStandIn ruler;
    ASSERT_NE(nullptr, ruler.Window());
    const CRulerInstance::Running running = {ruler.Window(), GetCurrentProcessId()};

    EXPECT_EQ(kExitDone, HandOverCommand(running, {StartCommand::Save, L"shot.png", {}})) << "the result that came later";
    ASSERT_TRUE(ruler.Last().has_value());
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring expected = folder;
    if (expected.back() != L'\\') expected += L'\\';
    EXPECT_EQ(expected + L"shot.png", ruler.Last()->file) << "the file is made a full path before it travels";
    ruler.saves = false;
    EXPECT_EQ(kExitNotDone, HandOverCommand(running, {StartCommand::Save, L"shot.png", {}}));

    EXPECT_EQ(kExitDone, HandOverCommand(running, {StartCommand::Copy, L"", {}}));
    EXPECT_EQ(StartCommand::Copy, ruler.Last()->command);
    ruler.ending = true;
    EXPECT_EQ(std::nullopt, HandOverCommand(running, {StartCommand::Copy, L"", {}})) << "the start is to be the ruler";

    // Another program's WM_COPYDATA is no command.
    COPYDATASTRUCT other = {kHandOverId + 1, 4, const_cast<char*>("\1\0\0")};
    EXPECT_EQ(0, SendMessageW(ruler.Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other)));
    EXPECT_FALSE(ruler.Last().has_value());
}
