// The Copy Setting template in both languages: the code finds every control by id.
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

HWND CreateFromTemplate(WORD language, WORD sublanguage)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found =
        FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(IDD_COPY_SETTING), MAKELANGID(language, sublanguage));
    if (!found) return nullptr;
    const auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    return CreateDialogIndirectParamW(
        module, dialogTemplate, nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

} // namespace

TEST(CopySettingDlg, BothTemplatesHoldEveryControl)
{
    const struct {
        WORD language, sublanguage;
        const wchar_t* caption;
    } templates[] = {{LANG_ENGLISH, SUBLANG_ENGLISH_US, L"Copy Setting"},
                     {LANG_JAPANESE, SUBLANG_DEFAULT, L"\u30b3\u30d4\u30fc\u8a2d\u5b9a"}}; // コピー設定
    for (const auto& t : templates) {
        SCOPED_TRACE(t.language);
        HWND dialog = CreateFromTemplate(t.language, t.sublanguage);
        ASSERT_NE(nullptr, dialog);
        wchar_t caption[64] = {};
        GetWindowTextW(dialog, caption, 64);
        EXPECT_STREQ(t.caption, caption);
        for (int id = IDC_COPY_TIMER; id <= IDC_INCLUDE_MEASUREMENTS; ++id) EXPECT_NE(nullptr, GetDlgItem(dialog, id)) << id;
        EXPECT_EQ(L"ComboBox", ClassOf(GetDlgItem(dialog, IDC_COPY_TIMER)));
        for (int id : {IDC_OFFSET_X_SPIN, IDC_OFFSET_Y_SPIN}) {
            EXPECT_EQ(std::wstring(UPDOWN_CLASSW), ClassOf(GetDlgItem(dialog, id)));
            EXPECT_FALSE(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & UDS_SETBUDDYINT) << "not attached";
        }
        DestroyWindow(dialog);
    }
}
