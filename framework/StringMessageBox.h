#pragma once

#include <windows.h>

#include <string>

// Text of a string-table entry in the user-interface language; empty if missing.
std::wstring LoadResourceString(UINT id);

// A message box whose text comes from the string table and whose title is the
// application's name. Returns the button pressed.
int StringMessageBox(HWND owner, UINT stringId, UINT type);
