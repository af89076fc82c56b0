// The resources both languages rely on: string tables, menu, templates, icons.
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

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
    for (UINT id = IDS_SAVE_PICTURE_TITLE; id <= IDS_MEASUREMENT_LABELS; ++id) {
        EXPECT_FALSE(StringIn(LANG_ENGLISH, id).empty()) << id;
        EXPECT_FALSE(StringIn(LANG_JAPANESE, id).empty()) << id;
    }
    for (UINT id = IDS_HOTKEYS_TAKEN; id <= IDS_KEY_MEASURE; ++id) {
        EXPECT_FALSE(StringIn(LANG_ENGLISH, id).empty()) << id;
        EXPECT_FALSE(StringIn(LANG_JAPANESE, id).empty()) << id;
    }
    // The usage text names every switch in both languages.
    for (WORD language : {LANG_ENGLISH, LANG_JAPANESE}) {
        const std::wstring usage = StringIn(language, IDS_USAGE);
        for (const wchar_t* name : {L"/show", L"/copy", L"/save", L"/exit", L"/?"})
            EXPECT_NE(std::wstring::npos, usage.find(name)) << language << " " << name;
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
    for (UINT id : {IDI_MENSURO,          IDI_EXIT,         IDI_TASKTRAY,          IDI_TOPMOST,     IDI_VERSION,
                    IDI_MENU_ICON,        IDI_COPY,         IDI_ADD_LINE,          IDI_DELETE_LINE, IDI_LINE_LIST,
                    IDI_DELETE_ALL_LINES, IDI_SIZE,         IDI_COPY_SETTING,      IDI_LOUPE,       IDI_LINES_AT_EDGES,
                    IDI_SNAP_TO_EDGES,    IDI_SAVE_PICTURE, IDI_COPY_MEASUREMENTS, IDI_KEYS,        IDI_MEASURE}) {
        HICON icon =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
        EXPECT_NE(nullptr, icon) << id;
        if (icon) DestroyIcon(icon);
    }
    for (UINT id : {IDC_TARGET, IDC_TARGET_CTRL})
        EXPECT_NE(nullptr, LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))) << id;
}

namespace {

// The context menu of one language, its items flattened in order as (id, text); a
// submenu's items follow its own entry, whose id is 0.
std::vector<std::pair<UINT, std::wstring>> MenuItemsIn(WORD language)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found =
        FindResourceExW(module, RT_MENU, MAKEINTRESOURCEW(IDR_CONTEXT_MENU),
                        MAKELANGID(language, language == LANG_JAPANESE ? SUBLANG_DEFAULT : SUBLANG_ENGLISH_US));
    std::vector<std::pair<UINT, std::wstring>> items;
    if (!found) return items;
    HMENU menu = LoadMenuIndirectW(LockResource(LoadResource(module, found)));
    std::function<void(HMENU)> walk = [&](HMENU m) {
        for (int pos = 0; pos < GetMenuItemCount(m); ++pos) {
            wchar_t text[64] = {};
            GetMenuStringW(m, static_cast<UINT>(pos), text, 64, MF_BYPOSITION);
            HMENU sub = GetSubMenu(m, pos);
            items.emplace_back(sub ? 0 : GetMenuItemID(m, pos), text);
            if (sub) walk(sub);
        }
    };
    walk(GetSubMenu(menu, 0));
    DestroyMenu(menu);
    return items;
}

} // namespace

TEST(Resources, ContextMenuHasTheSameCommandsInBothLanguages)
{
    const auto english = MenuItemsIn(LANG_ENGLISH), japanese = MenuItemsIn(LANG_JAPANESE);
    ASSERT_EQ(42u, english.size()) << "19 commands, Unit with its 8, Size with its 6 presets, 7 separators";
    ASSERT_EQ(english.size(), japanese.size());
    for (size_t i = 0; i < english.size(); ++i) EXPECT_EQ(english[i].first, japanese[i].first) << i;
    EXPECT_EQ(static_cast<UINT>(ID_TOPMOST), english.front().first);
    EXPECT_EQ(L"Topmost", english.front().second);
    EXPECT_EQ(L"\u5E38\u306B\u624B\u524D", japanese.front().second); // 常に手前
    EXPECT_EQ(L"Delete All Line", english[7].second);
    EXPECT_EQ(L"\u30E9\u30A4\u30F3\u3092\u5168\u524A\u9664", japanese[7].second); // ラインを全削除
    EXPECT_EQ(L"\u30B5\u30A4\u30BA", japanese[31].second);                        // サイズ
    EXPECT_EQ(static_cast<UINT>(ID_SIZE_640), japanese[33].first);
    EXPECT_EQ(L"640 x 480", japanese[33].second);
    EXPECT_EQ(static_cast<UINT>(IDOK), english[39].first);
    EXPECT_EQ(static_cast<UINT>(ID_SAVE_PICTURE), english[11].first);
    EXPECT_EQ(static_cast<UINT>(ID_COPY_MEASUREMENTS), english[12].first);
    EXPECT_EQ(static_cast<UINT>(ID_COPY_SETTING), english[13].first);
    // The loupe group opens with Measure.
    EXPECT_EQ(static_cast<UINT>(ID_MEASURE), english[15].first);
    EXPECT_EQ(L"Measure", english[15].second);
    EXPECT_EQ(L"\u8A08\u6E2C", japanese[15].second); // 計測
    EXPECT_EQ(static_cast<UINT>(ID_LOUPE), english[16].first);
    EXPECT_EQ(L"\u30EB\u30FC\u30DA", japanese[16].second); // ルーペ
    EXPECT_EQ(static_cast<UINT>(ID_SNAP_TO_EDGES), english[18].first);
    // The Unit submenu after the loupe group: its radio items in the order of the stored value.
    EXPECT_EQ(L"Unit", english[19].second);
    EXPECT_EQ(L"\u5358\u4F4D", japanese[19].second); // 単位
    for (UINT i = 0; i < 7; ++i) EXPECT_EQ(ID_UNIT_PIXELS + i, english[20 + i].first);
    EXPECT_EQ(static_cast<UINT>(ID_CALIBRATE), english[28].first);
    EXPECT_EQ(L"\u6821\u6B63...", japanese[28].second); // 校正...
    EXPECT_EQ(static_cast<UINT>(ID_KEYS), english[29].first);
    EXPECT_EQ(L"Keys...", english[29].second);
    EXPECT_EQ(L"\u30AD\u30FC\u8A2D\u5B9A...", japanese[29].second); // キー設定...
    EXPECT_EQ(static_cast<UINT>(ID_APP_ABOUT), english.back().first);
}
