#pragma once

#include <windows.h>

#include <functional>

// The thread on which the test's own windows live, handling their messages all the time.
// Under Wine a thread takes its windows' X events only while it handles messages: a test
// thread busy elsewhere would take the pointer's arrival over its window late and hand the
// system a pointer position long past, which the program under test then reads as the
// pointer's place.
class WindowThread {
public:
    // Runs `work` on the window thread and returns once it has run.
    static void Run(const std::function<void()>& work);

private:
    WindowThread();
    static DWORD WINAPI Loop(void* ready);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_runner = nullptr; // a message-only window of the thread that takes the work
};
