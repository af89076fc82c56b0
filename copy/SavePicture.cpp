// "Save Picture...": the copy's picture, written to a picture file the user names.
#include "copy/SavePicture.h"

#include "copy/CopyRules.h"
#include "copy/PictureEncoder.h"
#include "copy/PictureFormat.h"
#include "copy/ScreenCopy.h"
#include "copy/ScreenPicture.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
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

// The types the dialog offers, in the order of its list.
constexpr PictureFormat kOfferedFormats[kPictureFormatCount] = {PictureFormat::Png, PictureFormat::Bmp,
                                                                PictureFormat::Jpeg, PictureFormat::Tiff};

// Description and pattern of each type, each ending in a null, and a null after the last pair.
std::wstring DialogFilter()
{
    std::wstring descriptions = LoadResourceString(IDS_PNG_FILTER) + L"\n" + LoadResourceString(IDS_PICTURE_FILTERS);
    std::wstring filter;
    for (PictureFormat format : kOfferedFormats) {
        const size_t end = descriptions.find(L'\n');
        filter += descriptions.substr(0, end);
        filter += L'\0';
        filter += FilterPattern(format);
        filter += L'\0';
        descriptions.erase(0, end == std::wstring::npos ? descriptions.size() : end + 1);
    }
    return filter;
}

// Asks for the file in the Save dialog, offering the name `offered` and the type `format`,
// which becomes the type the user chose.
DialogAnswer AskPicturePath(HWND owner, const std::wstring& folder, const std::wstring& offered, std::wstring& path,
                            PictureFormat& format)
{
    std::vector<wchar_t> file(32768, L'\0');
    offered.copy(file.data(), std::min(offered.size(), file.size() - 1));

    const std::wstring title = LoadResourceString(IDS_SAVE_PICTURE_TITLE);
    const std::wstring filter = DialogFilter();
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1 + static_cast<DWORD>(std::find(std::begin(kOfferedFormats), std::end(kOfferedFormats), format) -
                                              std::begin(kOfferedFormats));
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    // No default extension: the type chosen in the list gives a name typed without one its
    // extension (AskSavePath), not the first type's.
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn)) return CommDlgExtendedError() == 0 ? DialogAnswer::Cancelled : DialogAnswer::Failed;
    path = file.data();
    if (ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= kPictureFormatCount) format = kOfferedFormats[ofn.nFilterIndex - 1];
    return DialogAnswer::Chosen;
}

// The picture file the user names, and its type: the one its extension names, else the
// one chosen in the list, whose extension is then added. Where a file of that name exists
// already, the dialog asks again offering it, so that the dialog's own question about
// replacing it is put.
DialogAnswer AskSavePath(HWND owner, const std::wstring& folder, std::wstring& path, PictureFormat& format)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    std::wstring offered = DefaultPictureName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    format = PictureFormat::Png;
    for (;;) {
        const DialogAnswer answer = AskPicturePath(owner, folder, offered, path, format);
        if (answer != DialogAnswer::Chosen) return answer;
        const std::wstring named = WithPictureExtension(path, format);
        format = PictureFormatOf(named).value_or(format);
        if (named == path || GetFileAttributesW(named.c_str()) == INVALID_FILE_ATTRIBUTES) {
            path = named;
            return DialogAnswer::Chosen;
        }
        offered = named;
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

// Writes the first `size` bytes of a block as the whole file at `path` (WriteBlockToFile);
// `error` says why it failed.
bool WriteBlock(const std::wstring& path, HGLOBAL block, SIZE_T size, DWORD& error)
{
    if (!block || size == 0 || size > MAXDWORD || size > GlobalSize(block)) return false;
    const void* bytes = GlobalLock(block);
    if (!bytes) {
        error = GetLastError();
        return false;
    }
    std::wstring temporary;
    SetLastError(ERROR_SUCCESS);
    const HANDLE file = CreateFileBeside(path, temporary);
    DWORD written = 0;
    bool whole = file != INVALID_HANDLE_VALUE && WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) &&
                 written == size && FlushFileBuffers(file);
    // A short write leaves no error of its own.
    if (!whole) error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    GlobalUnlock(block);
    if (file == INVALID_HANDLE_VALUE) return false;
    whole = CloseHandle(file) && whole;
    if (whole && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (whole) error = GetLastError();
    DeleteFileW(temporary.c_str());
    return false;
}

// The picture as the bytes of a file of `format` at `path`; `error` says why it failed.
bool WritePicture(const std::wstring& path, HGLOBAL dib, PictureFormat format, DWORD& error)
{
    SIZE_T size = 0;
    HRESULT encoded = S_OK;
    const GlobalBlock file(EncodePicture(dib, format, size, encoded));
    if (!file.get()) {
        error = static_cast<DWORD>(encoded);
        return false;
    }
    return WriteBlockToFile(path, file.get(), size, &error);
}

// The system's words for `error` (a system error code or an HRESULT); its number where
// the system has none.
std::wstring ReasonFor(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length && text ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    if (reason.empty()) {
        wchar_t number[16];
        std::swprintf(number, 16, L"0x%08lX", static_cast<unsigned long>(error));
        reason = number;
    }
    return reason;
}

// The picture of `content`, or null with `error` saying why.
HGLOBAL TakePicture(CScreenPicture& picture, const PictureContent& content, DWORD& error)
{
    SetLastError(ERROR_SUCCESS);
    const HGLOBAL dib = content.area.IsEmpty() ? nullptr : picture.Take(content);
    if (!dib) error = GetLastError() ? GetLastError() : static_cast<DWORD>(E_FAIL);
    return dib;
}

} // namespace

void ReportSaveFailure(HWND owner, const std::wstring& path, DWORD error)
{
    // The set text first, then the file and the system's words, which need no translation.
    std::wstring text = LoadResourceString(IDS_SAVE_PICTURE_FAILED);
    if (!path.empty()) text += L"\n\n" + path;
    if (error) text += L"\n\n" + ReasonFor(error);
    MessageBoxW(owner, text.c_str(), AppRegistry::AppTitle().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool WriteBlockToFile(const std::wstring& path, HGLOBAL block, SIZE_T size, DWORD* error)
{
    DWORD failure = ERROR_INVALID_PARAMETER;
    const bool written = WriteBlock(path, block, size, failure);
    if (error) *error = written ? ERROR_SUCCESS : failure;
    return written;
}

void SavePicture(HWND owner, CScreenPicture& picture, const PictureContent& content)
{
    // A second save while the dialog is open would stack a second dialog on it.
    if (picture.m_saving) return;
    DWORD error = 0;
    HGLOBAL dib = TakePicture(picture, content, error);
    if (!dib) {
        ReportSaveFailure(owner, std::wstring(), error);
        return;
    }
    SaveDibPicture(owner, picture, dib);
}

void SaveDibPicture(HWND owner, CScreenPicture& picture, HGLOBAL block)
{
    const GlobalBlock dib(block);
    if (picture.m_saving) return;
    if (!dib.get()) {
        ReportSaveFailure(owner, std::wstring(), 0);
        return;
    }
    DWORD error = 0;
    const std::wstring folder = picture.LastFolder().empty() ? PicturesFolder() : picture.LastFolder();
    std::wstring path;
    PictureFormat format = PictureFormat::Png;
    picture.m_saving = true;
    const DialogAnswer answer = AskSavePath(owner, folder, path, format);
    picture.m_saving = false;
    if (answer == DialogAnswer::Failed) ReportSaveFailure(owner, std::wstring(), 0);
    if (answer != DialogAnswer::Chosen) return;

    if (!WritePicture(path, dib.get(), format, error)) {
        ReportSaveFailure(owner, path, error);
        return;
    }
    picture.SetLastFolder(FolderOf(path));
}

bool WritePictureFile(const std::wstring& path, HGLOBAL dib, DWORD& error)
{
    error = ERROR_SUCCESS;
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format) {
        error = ERROR_INVALID_NAME;
        return false;
    }
    return WritePicture(path, dib, *format, error);
}

bool SavePictureTo(const std::wstring& path, CScreenPicture& picture, const PictureContent& content, DWORD& error)
{
    error = ERROR_SUCCESS;
    if (!PictureFormatOf(path)) {
        error = ERROR_INVALID_NAME;
        return false;
    }
    const GlobalBlock dib(TakePicture(picture, content, error));
    return dib.get() && WritePictureFile(path, dib.get(), error);
}
