#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The clipboard as another program sees it while the ruler copies to it.

// Opens the clipboard, retrying while the ruler may hold it for a moment.
bool OpenClipboardSoon(HWND owner);
// The bytes of one clipboard format; empty when it is missing.
std::vector<unsigned char> ClipboardData(UINT format);
std::wstring ClipboardText();
// Replaces the clipboard's content with text; the clipboard stays open when keepOpen is set.
// False when the clipboard could not be opened.
bool PutClipboardText(HWND owner, const wchar_t* text, bool keepOpen = false);
// The header of a packed DIB; all zero when the bytes are too few.
BITMAPINFOHEADER HeaderOf(const std::vector<unsigned char>& dib);
