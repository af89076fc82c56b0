#include "framework/PopupWindow.h"

HWND CreatePopupWindow(const wchar_t* className, const wchar_t* cursor, DWORD exStyle, const wchar_t* title,
                       const RECT& place, HWND owner)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, cursor);
    wc.lpszClassName = className;
    RegisterClassExW(&wc); // fails harmlessly once the class exists
    return CreateWindowExW(exStyle, className, title, WS_POPUP, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, owner, nullptr, wc.hInstance, nullptr);
}
