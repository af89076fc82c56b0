#include "e2e/RulerSession.h"

#include "support/TestPaths.h"

namespace {

struct FindData {
    DWORD pid;
    const wchar_t* title;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND hwnd, LPARAM param)
{
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != data->pid || hwnd == data->exclude || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t title[128] = {};
    GetWindowTextW(hwnd, title, 128);
    if (wcscmp(title, data->title) != 0) return TRUE;
    data->found = hwnd;
    return FALSE;
}

void SendMouse(DWORD flags, int x = 0, int y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((x * 65536LL + w / 2) / w);
        input.mi.dy = static_cast<LONG>((y * 65536LL + h / 2) / h);
    }
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

void SendKey(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
    Sleep(20);
}

} // namespace

RulerSession::RulerSession()
{
    std::wstring command = L"\"" + MensuroExePath() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, ExeDirectory().c_str(),
                        &startup, &m_process))
        return;
    WaitForInputIdle(m_process.hProcess, 10000);
    for (int i = 0; i < 200 && !m_window; ++i) {
        m_window = FindOwnWindow(L"Mensuro");
        if (!m_window) Sleep(50);
    }
    Settle();
}

RulerSession::~RulerSession()
{
    if (Running() && Exit() == STILL_ACTIVE) TerminateProcess(m_process.hProcess, 99);
    if (m_process.hProcess) CloseHandle(m_process.hProcess);
    if (m_process.hThread) CloseHandle(m_process.hThread);
}

HWND RulerSession::FindOwnWindow(const wchar_t* title) const
{
    FindData data = {m_process.dwProcessId, title, nullptr, nullptr};
    if (wcscmp(title, L"Mensuro") != 0) data.exclude = m_window;
    EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

RECT RulerSession::Rect() const
{
    RECT rect = {};
    GetWindowRect(m_window, &rect);
    return rect;
}

bool RulerSession::Running() const
{
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

void RulerSession::Settle() const
{
    DWORD_PTR ignored = 0;
    for (int i = 0; i < 3 && m_window; ++i) {
        SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        Sleep(60);
    }
}

DWORD RulerSession::Exit()
{
    if (!Running()) {
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }
    PostMessageW(m_window, WM_COMMAND, IDOK, 0);
    if (WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

namespace UserInput {

void MoveTo(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
}

void Drag(int fromX, int fromY, int toX, int toY, bool rightButton, bool ctrl)
{
    MoveTo(fromX, fromY);
    if (ctrl) SendKey(VK_CONTROL, false);
    SendMouse(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i)
        MoveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    SendMouse(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    if (ctrl) SendKey(VK_CONTROL, true);
    Sleep(100);
}

void Click(int x, int y, bool rightButton)
{
    MoveTo(x, y);
    SendMouse(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendMouse(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void Key(WORD vk)
{
    SendKey(vk, false);
    SendKey(vk, true);
}

} // namespace UserInput
