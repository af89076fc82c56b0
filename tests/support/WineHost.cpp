#include "support/WineHost.h"

#include <fstream>
#include <iterator>

namespace {

using DosNameFn = WCHAR*(CDECL*)(LPCSTR);
using UnixNameFn = char*(CDECL*)(LPCWSTR);

// One of Wine's own exports of kernel32; null on Windows.
template <typename Fn>
Fn WineExport(const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

std::string FileText(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void HandleMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

bool UnderWine()
{
    return WineExport<DosNameFn>("wine_get_dos_file_name") != nullptr;
}

std::wstring DosPathOf(const char* unixPath)
{
    const auto dosName = WineExport<DosNameFn>("wine_get_dos_file_name");
    WCHAR* name = dosName ? dosName(unixPath) : nullptr;
    std::wstring path = name ? name : L"";
    HeapFree(GetProcessHeap(), 0, name);
    if (!path.empty() && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) path.clear();
    return path;
}

std::string UnixPathOf(const std::wstring& dosPath)
{
    const auto unixName = WineExport<UnixNameFn>("wine_get_unix_file_name");
    char* name = unixName ? unixName(dosPath.c_str()) : nullptr;
    std::string path = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

bool RunUnixCommand(const std::string& command, std::string& output, DWORD timeoutMs)
{
    output.clear();
    const std::wstring shell = DosPathOf("/bin/sh");
    wchar_t folder[MAX_PATH] = {}, out[MAX_PATH] = {};
    if (shell.empty() || !GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"unx", 0, out)) return false;
    const std::wstring done = std::wstring(out) + L".done";
    const std::string unixOut = UnixPathOf(out), unixDone = UnixPathOf(done);
    // Wine gives a Unix program neither a process handle nor this process's pipes: the end is
    // told by a file that appears whole (a rename) once the command has ended.
    const std::string script = "{ " + command + "; } >'" + unixOut + "' 2>&1; echo $? >'" + unixDone + ".part'; mv '" +
                               unixDone + ".part' '" + unixDone + "'";
    std::wstring line = L"\"" + shell + L"\" -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    bool ended = false;
    // Wine hands back no handles for a Unix program (what it leaves in their place is no handle
    // of ours: closing it could close one of this process's own).
    if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        // This process's windows take their input meanwhile, in order with everyone else's.
        const DWORD start = GetTickCount();
        while (!(ended = GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) &&
               GetTickCount() - start < timeoutMs) {
            HandleMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        }
    }
    output = FileText(out);
    const bool succeeded = ended && FileText(done).rfind("0", 0) == 0;
    DeleteFileW(out);
    DeleteFileW(done.c_str());
    return succeeded;
}
