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

// Asks for the file in the Save dialog; false when the user cancels it.
bool AskPicturePath(HWND owner, const std::wstring& folder, std::wstring& path)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const std::wstring name = DefaultPictureName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    std::vector<wchar_t> file(32768, L'\0');
    name.copy(file.data(), name.size());

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
    if (!GetSaveFileNameW(&ofn)) return false;
    path = file.data();
    return true;
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// The picture as a PNG file's bytes at `path`.
bool WritePng(const std::wstring& path, HGLOBAL dib)
{
    const GlobalBlock png(EncodePng(dib));
    return png.get() && WriteBlockToFile(path, png.get());
}

} // namespace

void ReportSaveFailure(HWND owner)
{
    StringMessageBox(owner, IDS_SAVE_PICTURE_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

bool WriteBlockToFile(const std::wstring& path, HGLOBAL block)
{
    const SIZE_T size = block ? GlobalSize(block) : 0;
    const void* bytes = block ? GlobalLock(block) : nullptr;
    if (!bytes || size > MAXDWORD) {
        if (bytes) GlobalUnlock(block);
        return false;
    }
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool done = file != INVALID_HANDLE_VALUE &&
                WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
    GlobalUnlock(block);
    if (file != INVALID_HANDLE_VALUE) {
        done = CloseHandle(file) && done;
        // Half a picture under the user's name would pass for the picture.
        if (!done) DeleteFileW(path.c_str());
    }
    return done;
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
    const bool chosen = AskPicturePath(owner, folder, path);
    picture.m_saving = false;
    if (!chosen) return;

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
