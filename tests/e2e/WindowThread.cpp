#include "e2e/WindowThread.h"

namespace {

constexpr UINT kRunWork = WM_APP;
const wchar_t kRunnerClass[] = L"MensuroTestWindowThread";

struct Start {
    HANDLE ready;
    HWND runner;
};

} // namespace

void WindowThread::Run(const std::function<void()>& work)
{
    // Made at the first use and kept for the life of the test program: its windows may
    // outlive any one test.
    static const WindowThread thread;
    SendMessageW(thread.m_runner, kRunWork, 0, reinterpret_cast<LPARAM>(&work));
}

WindowThread::WindowThread()
{
    Start start = {CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
    HANDLE thread = CreateThread(nullptr, 0, &WindowThread::Loop, &start, 0, nullptr);
    WaitForSingleObject(start.ready, INFINITE);
    CloseHandle(start.ready);
    CloseHandle(thread);
    m_runner = start.runner;
}

DWORD WINAPI WindowThread::Loop(void* param)
{
    auto* start = static_cast<Start*>(param);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &WindowThread::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kRunnerClass;
    RegisterClassW(&wc);
    start->runner = CreateWindowExW(0, kRunnerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetEvent(start->ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT CALLBACK WindowThread::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunWork) return DefWindowProcW(hwnd, message, wParam, lParam);
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
}
