// The resources both languages rely on: string tables, menu, templates, icons.
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A string-table entry in one language, read from its block of sixteen.
std::wstring StringIn(WORD language, UINT id)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC block =
        FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1),
                        MAKELANGID(language, language == LANG_JAPANESE ? SUBLANG_DEFAULT : SUBLANG_ENGLISH_US));
    if (!block) return L"<missing>";
    const auto* p = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    for (UINT i = 0; i < id % 16; ++i) p += 1 + *p;
    return std::wstring(p + 1, *p);
}

} // namespace

TEST(Resources, StringTableExistsInEnglishAndJapanese)
{
    EXPECT_EQ(L"Top", StringIn(LANG_ENGLISH, IDS_BAR_TOP));
    EXPECT_EQ(L"\u4E0A", StringIn(LANG_JAPANESE, IDS_BAR_TOP)); // 上
    EXPECT_EQ(L"An error is in input value. ", StringIn(LANG_ENGLISH, IDS_INPUT_ERROR));
    EXPECT_EQ(L"%.1f \u79D2", StringIn(LANG_JAPANESE, IDS_SECONDS_FRACTION)); // 秒
    for (UINT id = IDS_APP_DESCRIPTION; id <= IDS_SECONDS_FRACTION; ++id) {
        EXPECT_FALSE(StringIn(LANG_ENGLISH, id).empty()) << id;
        EXPECT_FALSE(StringIn(LANG_JAPANESE, id).empty()) << id;
    }
    const std::wstring confirm = StringIn(LANG_ENGLISH, IDS_CONFIRM_CHILD_RESIZE);
    EXPECT_EQ(L"A window display collapses or there is a possibility of becoming unexpected operation. \n"
              L"Does it continue? ",
              confirm);
    // The user's language decides; these tests run in English.
    EXPECT_EQ(L"Bottom", LoadResourceString(IDS_BAR_BOTTOM));
}

TEST(Resources, IconsLoadAtSixteenPixels)
{
    for (UINT id : {IDI_MENSURO, IDI_VERSION}) {
        HICON icon =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
        EXPECT_NE(nullptr, icon) << id;
        if (icon) DestroyIcon(icon);
    }
    for (UINT id : {IDC_TARGET, IDC_TARGET_CTRL})
        EXPECT_NE(nullptr, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))) << id;
}

TEST(Resources, ContextMenuEndsWithExitAndVersion)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
    ASSERT_NE(nullptr, menu);
    HMENU popup = GetSubMenu(menu, 0);
    const int count = GetMenuItemCount(popup);
    ASSERT_GE(count, 3);
    EXPECT_EQ(static_cast<UINT>(IDOK), GetMenuItemID(popup, count - 3));
    EXPECT_EQ(static_cast<UINT>(ID_APP_ABOUT), GetMenuItemID(popup, count - 1));
    DestroyMenu(menu);
}
