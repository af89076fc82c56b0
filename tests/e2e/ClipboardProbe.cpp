#include "e2e/ClipboardProbe.h"

#include "e2e/RulerSession.h"

#include <cstring>
#include <cwchar>

bool OpenClipboardSoon(HWND owner)
{
    return PumpUntil([&] { return OpenClipboard(owner) != FALSE; });
}

std::vector<unsigned char> ClipboardData(UINT format)
{
    std::vector<unsigned char> data;
    if (!OpenClipboardSoon(nullptr)) return data;
    if (HANDLE block = GetClipboardData(format)) {
        if (const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block)))
            data.assign(bytes, bytes + GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return data;
}

std::wstring ClipboardText()
{
    const std::vector<unsigned char> data = ClipboardData(CF_UNICODETEXT);
    return data.empty() ? std::wstring() : std::wstring(reinterpret_cast<const wchar_t*>(data.data()));
}

bool PutClipboardText(HWND owner, const wchar_t* text)
{
    return HeldClipboard(owner, text).Held();
}

HeldClipboard::HeldClipboard(HWND owner, const wchar_t* text) : m_held(OpenClipboardSoon(owner))
{
    if (!m_held) return;
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* to = GlobalLock(block)) {
            std::memcpy(to, text, bytes);
            GlobalUnlock(block);
        }
        if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    }
}

void HeldClipboard::Release()
{
    if (m_held) CloseClipboard();
    m_held = false;
}

BITMAPINFOHEADER HeaderOf(const std::vector<unsigned char>& dib)
{
    BITMAPINFOHEADER header = {};
    if (dib.size() >= sizeof(header)) std::memcpy(&header, dib.data(), sizeof(header));
    return header;
}
