#pragma once

#include "ruler/WindowRect.h"

#include <windows.h>

// Conversions between the window-free rectangle and the Win32 one.
inline RECT ToRect(const WindowRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

inline WindowRect FromRect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}
