#include "framework/Application.h"

#include <commctrl.h>

CApplication* CApplication::s_current = nullptr;

CApplication::CApplication()
{
    s_current = this;
}

CApplication::~CApplication()
{
    if (s_current == this) s_current = nullptr;
}

int CApplication::Run()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (!InitInstance()) return m_exitCode;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void CApplication::SetRegistryKey(const char* company)
{
    AppRegistry::SetCompany(company ? company : "");
}

namespace AppRegistry {

namespace {
std::string& CompanyStorage()
{
    static std::string company;
    return company;
}
} // namespace

void SetCompany(const std::string& company)
{
    CompanyStorage() = company;
}

const std::string& Company()
{
    return CompanyStorage();
}

namespace {
// The running program's full path; empty if it cannot be had.
std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Truncated: the longest path Windows allows is 32767 characters.
        if (path.size() > 32768) return std::wstring();
        path.resize(path.size() * 2);
    }
}
} // namespace

std::wstring BaseNameOf(const std::wstring& path)
{
    std::wstring name = path;
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

std::string AppNameFromPath(const std::wstring& path, UINT codePage)
{
    // Split while still wide: in code page 932 a second byte can be 0x5C, the backslash.
    const std::wstring name = BaseNameOf(path);
    if (name.empty()) return std::string();
    const int size = static_cast<int>(name.size());
    const int length = WideCharToMultiByte(codePage, 0, name.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, name.data(), size, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

std::string AppName()
{
    return AppNameFromPath(ModulePath(), CP_ACP);
}

std::wstring AppTitle()
{
    return BaseNameOf(ModulePath());
}

} // namespace AppRegistry
