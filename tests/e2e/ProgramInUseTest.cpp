// The program in use keeps its state across a global key with Alt in it.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <string>

TEST(ProgramInUse, AGlobalKeyWithAltLeavesItOutOfItsMenuAndTheNextKeyReachesIt)
{
    if (!RulerSession::CanStartInLocale()) GTEST_SKIP() << "keys through the X server need Wine";
    StartAfreshAt({100, 100, 500, 400});
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    wchar_t command[] = L"notepad.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION notepad = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &notepad));
    HWND window = nullptr;
    PumpUntil([&] { return (window = WindowOfProcess(notepad.dwProcessId, L"Notepad")) != nullptr; }, 10000);
    const HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    SetWindowPos(window, nullptr, 600, 450, 400, 300, SWP_NOZORDER);
    UserInput::Click(640, 520);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }));

    // Win+Alt+L held until the loupe has come, then Alt let go before L, as quick hands do:
    // the global key took L's press, so Notepad sees Alt go down and up with nothing between.
    UserInput::KeysDown({VK_LWIN, VK_MENU, 'L'});
    EXPECT_TRUE(PumpUntil([&] { return WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe") != nullptr; }));
    for (WORD key : {WORD{VK_MENU}, WORD{VK_LWIN}, WORD{'L'}}) UserInput::KeyUp(key);

    UserInput::Key('X');
    const auto typed = [&] {
        wchar_t text[8] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(edit, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &length);
        return std::wstring(text);
    };
    EXPECT_SOON_EQ(L"x", typed()) << "the next key reaches the text";
    GUITHREADINFO menu = {};
    menu.cbSize = sizeof(menu);
    GetGUIThreadInfo(notepad.dwThreadId, &menu);
    EXPECT_FALSE(menu.flags & GUI_INMENUMODE) << "no menu highlighted";

    SendMessageW(edit, EM_SETMODIFY, FALSE, 0); // closed without asking
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(notepad.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(notepad.hProcess, 1);
    CloseHandle(notepad.hProcess);
    CloseHandle(notepad.hThread);
    MensuroRegistry().Clear();
}
