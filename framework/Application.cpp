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
    if (!InitInstance()) return 0;
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

std::string AppName()
{
    char path[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string name(path, n < sizeof(path) ? n : 0);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

} // namespace AppRegistry
