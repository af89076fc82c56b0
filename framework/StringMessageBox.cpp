#include "framework/StringMessageBox.h"

#include "framework/Application.h"

std::wstring LoadResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer length LoadStringW returns a read-only pointer to the resource.
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

int StringMessageBox(HWND owner, UINT stringId, UINT type)
{
    return MessageBoxW(owner, LoadResourceString(stringId).c_str(), AppRegistry::AppTitle().c_str(), type);
}
