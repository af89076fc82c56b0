#include "support/TestPaths.h"

#include <windows.h>

std::wstring ExeDirectory()
{
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L"\\/"));
}

std::wstring MensuroExePath()
{
    return ExeDirectory() + L"\\Mensuro.exe";
}
