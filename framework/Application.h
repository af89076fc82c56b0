#pragma once

#include <windows.h>

#include <string>

class CWindow;

// The program's one application object. The derived class's InitInstance runs
// the whole program; returning false ends the process without a message loop.
class CApplication {
public:
    CApplication();
    virtual ~CApplication();

    virtual bool InitInstance() = 0;
    // Runs InitInstance and, if it returns true, a plain message loop; returns the loop's
    // exit code, or m_exitCode when InitInstance returns false.
    int Run();

    static CApplication* Current() { return s_current; }

    // Makes every registry setting live under HKCU\SOFTWARE\<company>\<app name>.
    void SetRegistryKey(const char* company);

    CWindow* m_pMainWnd = nullptr;
    // The process's exit code when InitInstance has run the whole program.
    int m_exitCode = 0;

private:
    static CApplication* s_current;
};

// The registry company key and the application name (the executable's base
// name), used to build the settings key path. Usable without an application
// object, so that stores can be tested on their own.
namespace AppRegistry {
void SetCompany(const std::string& company);
const std::string& Company();
// The settings key's name: the executable's base name in the ANSI code page,
// as the ANSI registry functions take it.
std::string AppName();
// The same name as the user sees it, for window titles.
std::wstring AppTitle();
// The base name (no folder, no extension) of a path.
std::wstring BaseNameOf(const std::wstring& path);
// BaseNameOf(path) in a code page; empty when it has no form there.
std::string AppNameFromPath(const std::wstring& path, UINT codePage);
} // namespace AppRegistry
