#pragma once

// A plain popup window of a class of its own (DefWindowProc, the given system cursor),
// owned by `owner`: the start of a window the caller then subclasses.

#include <windows.h>

// The class is registered on the first call; null when the window cannot be made.
HWND CreatePopupWindow(const wchar_t* className, const wchar_t* cursor, DWORD exStyle, const wchar_t* title,
                       const RECT& place, HWND owner);
