// "Save Picture...": the copy's picture, written to a PNG file the user names.
#include "copy/SavePicture.h"

#include "copy/CopyRules.h"
#include "copy/PngEncoder.h"
#include "copy/ScreenCopy.h"
#include "copy/ScreenPicture.h"
#include "framework/Handles.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace {

// The user's Pictures folder; empty where the system has none.
std::wstring PicturesFolder()
{
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &path)) && path) folder = path;
    CoTaskMemFree(path);
    return folder;
}

enum class DialogAnswer { Chosen, Cancelled, Failed };

// Asks for the file in the Save dialog, offering the name `offered`.
DialogAnswer AskPicturePath(HWND owner, const std::wstring& folder, const std::wstring& offered, std::wstring& path)
{
    std::vector<wchar_t> file(32768, L'\0');
    offered.copy(file.data(), std::min(offered.size(), file.size() - 1));

    const std::wstring title = LoadResourceString(IDS_SAVE_PICTURE_TITLE);
    // Description and pattern, each ending in a null, and a null after the last pair.
    std::wstring filter = LoadResourceString(IDS_PNG_FILTER);
    filter += L'\0';
    filter += L"*.png";
    filter += L'\0';

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = L"png";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn)) return CommDlgExtendedError() == 0 ? DialogAnswer::Cancelled : DialogAnswer::Failed;
    path = file.data();
    return DialogAnswer::Chosen;
}

// The PNG file the user names. A name typed with another ending gets ".png"; where a
// file of that name exists already, the dialog asks again offering it, so that the
// dialog's own question about replacing it is put.
DialogAnswer AskPngPath(HWND owner, const std::wstring& folder, std::wstring& path)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    std::wstring offered = DefaultPictureName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    for (;;) {
        const DialogAnswer answer = AskPicturePath(owner, folder, offered, path);
        if (answer != DialogAnswer::Chosen) return answer;
        const std::wstring png = WithPngExtension(path);
        if (png == path || GetFileAttributesW(png.c_str()) == INVALID_FILE_ATTRIBUTES) {
            path = png;
            return DialogAnswer::Chosen;
        }
        offered = png;
    }
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// A new file in `path`'s folder, under a name no file has yet: renaming it over `path`
// then stays on one volume, where the rename replaces the old file in one step.
HANDLE CreateFileBeside(const std::wstring& path, std::wstring& created)
{
    constexpr int kNameAttempts = 100;
    const std::wstring stem = FolderOf(path) + L"~mensuro-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (int n = 0; n < kNameAttempts; ++n) {
        created = stem + std::to_wstring(n) + L".tmp";
        const HANDLE file =
            CreateFileW(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// The picture as a PNG file's bytes at `path`.
bool WritePng(const std::wstring& path, HGLOBAL dib)
{
    SIZE_T size = 0;
    const GlobalBlock png(EncodePng(dib, size));
    return png.get() && WriteBlockToFile(path, png.get(), size);
}

} // namespace

void ReportSaveFailure(HWND owner)
{
    StringMessageBox(owner, IDS_SAVE_PICTURE_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

bool WriteBlockToFile(const std::wstring& path, HGLOBAL block, SIZE_T size)
{
    if (!block || size == 0 || size > MAXDWORD || size > GlobalSize(block)) return false;
    const void* bytes = GlobalLock(block);
    if (!bytes) return false;
    std::wstring temporary;
    const HANDLE file = CreateFileBeside(path, temporary);
    DWORD written = 0;
    bool whole = file != INVALID_HANDLE_VALUE && WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) &&
                 written == size && FlushFileBuffers(file);
    GlobalUnlock(block);
    if (file == INVALID_HANDLE_VALUE) return false;
    whole = CloseHandle(file) && whole;
    if (whole && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

void SavePicture(HWND owner, CScreenPicture& picture, const PictureContent& content)
{
    // A second save while the dialog is open would stack a second dialog on it.
    if (picture.m_saving) return;
    const GlobalBlock dib(content.area.IsEmpty() ? nullptr : picture.Take(content));
    if (!dib.get()) {
        ReportSaveFailure(owner);
        return;
    }
    const std::wstring folder = picture.LastFolder().empty() ? PicturesFolder() : picture.LastFolder();
    std::wstring path;
    picture.m_saving = true;
    const DialogAnswer answer = AskPngPath(owner, folder, path);
    picture.m_saving = false;
    if (answer == DialogAnswer::Failed) ReportSaveFailure(owner);
    if (answer != DialogAnswer::Chosen) return;

    if (!WritePng(path, dib.get())) {
        ReportSaveFailure(owner);
        return;
    }
    picture.SetLastFolder(FolderOf(path));
}

bool SavePictureTo(const std::wstring& path, CScreenPicture& picture, const PictureContent& content)
{
    const GlobalBlock dib(content.area.IsEmpty() ? nullptr : picture.Take(content));
    return dib.get() && WritePng(path, dib.get());
}
