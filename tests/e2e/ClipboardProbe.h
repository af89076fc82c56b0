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
// Replaces the clipboard's content with text; false when the clipboard could not be opened.
bool PutClipboardText(HWND owner, const wchar_t* text);
// The clipboard held open with text in it, as another program can hold it, until Release or
// the end of the scope, whatever ends it: a failed check must not leave it held for the next.
class HeldClipboard {
public:
    HeldClipboard(HWND owner, const wchar_t* text);
    ~HeldClipboard() { Release(); }
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;

    bool Held() const { return m_held; }
    void Release();

private:
    bool m_held;
};
// The header of a packed DIB; all zero when the bytes are too few.
BITMAPINFOHEADER HeaderOf(const std::vector<unsigned char>& dib);
