// Real mouse and keyboard events, sent as a user makes them.
#include "e2e/UserInput.h"

#include <windows.h>

namespace {

void SendMouse(DWORD flags, int x = 0, int y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        // Rounded up: the system maps back with (d * size) >> 16, which must give x and y exactly.
        input.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
        input.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
    }
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

// A button event that carries its own position: under Wine a late pointer update from an earlier
// move can otherwise put it where the pointer was before.
void Button(DWORD flag, int x, int y)
{
    SendMouse(flag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
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

namespace UserInput {

void MoveTo(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    // Wine applies an injected move with some delay; a button event sent before the pointer has
    // arrived would act at the old position.
    POINT at = {};
    for (int i = 0; i < 100 && !(GetCursorPos(&at) && at.x == x && at.y == y); ++i) Sleep(10);
}

void Drag(int fromX, int fromY, int toX, int toY, bool rightButton, bool ctrl)
{
    MoveTo(fromX, fromY);
    if (ctrl) SendKey(VK_CONTROL, false);
    Button(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, fromX, fromY);
    const int steps = 8;
    for (int i = 1; i < steps; ++i)
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, fromX + (toX - fromX) * i / steps,
                  fromY + (toY - fromY) * i / steps);
    MoveTo(toX, toY);
    // Wine brings its key state in line with the X server's (where Ctrl is up) when the pointer
    // enters another window; pressing again keeps Ctrl held for the release.
    if (ctrl) SendKey(VK_CONTROL, false);
    Button(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, toX, toY);
    if (ctrl) SendKey(VK_CONTROL, true);
    Sleep(100);
}

void Click(int x, int y, bool rightButton)
{
    MoveTo(x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, x, y);
}

void DoubleClick(int x, int y)
{
    Click(x, y);
    Button(MOUSEEVENTF_LEFTDOWN, x, y);
    Button(MOUSEEVENTF_LEFTUP, x, y);
}

void Press(int x, int y, bool rightButton)
{
    MoveTo(x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, x, y);
}

void Release(int x, int y, bool rightButton)
{
    MoveTo(x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, x, y);
}

void Key(WORD vk)
{
    SendKey(vk, false);
    SendKey(vk, true);
}

} // namespace UserInput
