#pragma once

#include <windows.h>

#include <string>

// Holds the clipboard open for a scope: for "Copy" and for the texts copied.
// Other programs hold it open for moments (a clipboard manager reading a change, a
// remote session passing it on), so the opening tries again for a short while
// before it gives up.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner);
    ~OpenedClipboard();
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};

// Replaces what the clipboard holds with `text` as CF_UNICODETEXT. False when the clipboard
// stays held by another program or refuses the text: the caller reports it as a copy's
// result (ReportCopyResult).
bool PutTextOnClipboard(HWND owner, const std::wstring& text);
