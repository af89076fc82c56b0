// The program in use keeps its state across a global key: with Alt in the key it would
// otherwise see Alt go down and up alone and enter its menu.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr RECT kRuler = {100, 100, 500, 400};

// Wine's Notepad, closed without asking about its text.
class Notepad {
public:
    Notepad()
    {
        wchar_t command[] = L"notepad.exe";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process))
            return;
        WaitForInputIdle(m_process.hProcess, 10000);
        PumpUntil([&] { return (m_window = WindowOfProcess(m_process.dwProcessId, L"Notepad")) != nullptr; }, 10000);
        if (m_window) SetWindowPos(m_window, nullptr, 600, 450, 400, 300, SWP_NOZORDER);
    }
    ~Notepad()
    {
        SendMessageW(Edit(), EM_SETMODIFY, FALSE, 0);
        if (m_window) PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (m_process.hProcess && WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        if (m_process.hProcess) CloseHandle(m_process.hProcess);
        if (m_process.hThread) CloseHandle(m_process.hThread);
    }
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    HWND Window() const { return m_window; }
    HWND Edit() const { return FindWindowExW(m_window, nullptr, L"Edit", nullptr); }
    std::wstring Text() const
    {
        wchar_t text[64] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(Edit(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &ignored);
        return text;
    }
    bool InMenuMode() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info) &&
               (info.flags & GUI_INMENUMODE) != 0;
    }

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

class ProgramInUse : public testing::Test {
protected:
    void SetUp() override
    {
        if (!RulerSession::CanStartInLocale()) GTEST_SKIP() << "keys through the X server need Wine";
        StartAfreshAt(kRuler);
    }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(ProgramInUse, AGlobalKeyWithAltLeavesItOutOfItsMenuAndTheNextKeyReachesIt)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    Notepad notepad;
    ASSERT_NE(nullptr, notepad.Window());
    const RECT edit = WindowRectOf(notepad.Edit());
    UserInput::Click(edit.left + 40, edit.top + 40);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == notepad.Window(); }));

    // Win+Alt+L held until the loupe has come, then Alt let go before L, as quick hands do:
    // the global key took L's press, so Notepad sees Alt go down and up with nothing between.
    UserInput::KeysDown({VK_LWIN, VK_MENU, 'L'});
    const bool loupe = PumpUntil([&] { return WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe") != nullptr; });
    UserInput::KeyUp(VK_MENU);
    UserInput::KeyUp(VK_LWIN);
    UserInput::KeyUp('L');
    ASSERT_TRUE(loupe);

    UserInput::Key('X');
    EXPECT_SOON_EQ(L"x", notepad.Text()) << "the next key typed reaches the text";
    EXPECT_FALSE(notepad.InMenuMode()) << "no menu highlighted";
}
