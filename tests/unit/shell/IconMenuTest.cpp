// The owner-drawn context menu: conversion, records, measuring; the tray record.
#include "resources/resource.h"
#include "shell/IconMenu.h"
#include "shell/TrayIcon.h"

#include <gtest/gtest.h>

#include <string>

namespace {

UINT ItemType(HMENU menu, int pos)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info);
    return info.fType;
}

ULONG_PTR ItemData(HMENU menu, int pos)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info);
    return info.dwItemData;
}

int SeparatorsAndOwnerDrawn(HMENU menu, int& ownerDrawn)
{
    int separators = 0;
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
        const UINT type = ItemType(menu, pos);
        if (type & MFT_SEPARATOR)
            ++separators;
        else if (type & MFT_OWNERDRAW)
            ++ownerDrawn;
        if (HMENU sub = GetSubMenu(menu, pos)) separators += SeparatorsAndOwnerDrawn(sub, ownerDrawn);
    }
    return separators;
}

bool Owns(const CIconMenu& menu, ULONG_PTR data)
{
    for (const auto& item : menu.Items())
        if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return true;
    return false;
}

// Whether every owner-drawn item at every level points at a record of `owner`.
bool AllItemsPointInto(HMENU menu, const CIconMenu& owner)
{
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
        if ((ItemType(menu, pos) & MFT_OWNERDRAW) && !Owns(owner, ItemData(menu, pos))) return false;
        if (HMENU sub = GetSubMenu(menu, pos); sub && !AllItemsPointInto(sub, owner)) return false;
    }
    return true;
}

} // namespace

TEST(IconMenu, ConversionKeepsSeparatorsAndTheSizeSubmenu)
{
    CIconMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_CONTEXT_MENU));
    ASSERT_TRUE(menu.ConvertToOwnerDraw());
    HMENU popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);

    int ownerDrawn = 0;
    EXPECT_EQ(7, SeparatorsAndOwnerDrawn(popup, ownerDrawn)) << "separators stay system-drawn";
    EXPECT_EQ(35, ownerDrawn) << "19 commands, the Unit item and its 8, the Size item and its 6 presets";
    EXPECT_EQ(static_cast<size_t>(ownerDrawn) + 1, menu.Items().size())
        << "one record per owner-drawn item, and one for the resource's holder item \"POPUP\"";

    // "Size" still opens its submenu, whose items are converted too.
    int sizePos = 0;
    while (sizePos < GetMenuItemCount(popup) &&
           !(GetSubMenu(popup, sizePos) && GetMenuItemID(GetSubMenu(popup, sizePos), 0) == ID_SIZE_320))
        ++sizePos;
    EXPECT_EQ(22, sizePos) << "after the separator that follows the loupe group";
    HMENU size = GetSubMenu(popup, sizePos);
    ASSERT_NE(nullptr, size) << "the submenu survives the conversion";
    EXPECT_EQ(6, GetMenuItemCount(size));
    EXPECT_EQ(ID_SIZE_640, GetMenuItemID(size, 1));
    const auto* sizeRecord = reinterpret_cast<const IconMenuItem*>(ItemData(popup, sizePos));
    ASSERT_NE(nullptr, sizeRecord);
    EXPECT_EQ(L"Size", sizeRecord->text);
    EXPECT_EQ(uint32_t(IconItemSubmenu), sizeRecord->kind);

    // Icons: a known command takes one, an unknown one does not.
    EXPECT_TRUE(menu.SetItemImage(ID_ADD_LINE, IDI_ADD_LINE));
    EXPECT_FALSE(menu.SetItemImage(12345, IDI_ADD_LINE));
    EXPECT_FALSE(menu.SetItemImage(ID_COPY, 9999)) << "missing icon resource";
    const auto* add = reinterpret_cast<const IconMenuItem*>(ItemData(popup, 5));
    ASSERT_NE(nullptr, add);
    EXPECT_EQ(ID_ADD_LINE, add->id);
    EXPECT_EQ(uint32_t(IconItemIcon), add->kind);
    EXPECT_NE(nullptr, add->image);
}

TEST(IconMenu, SubmenuItemsAreWiderAndNoItemIsLowerThanEighteen)
{
    // A submenu's record is found by its text, a command's by its id.
    auto measureFirst = [](bool asSubmenu, UINT lookUpId) {
        CIconMenu menu;
        HMENU popup = CreatePopupMenu();
        if (asSubmenu) {
            HMENU sub = CreatePopupMenu();
            AppendMenuW(sub, MF_STRING, 7, L"inner");
            AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Size");
        } else {
            AppendMenuW(popup, MF_STRING, 5, L"Size");
        }
        menu.Attach(popup);
        menu.ConvertToOwnerDraw();
        MEASUREITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemData = lookUpId ? 0 : ItemData(popup, 0);
        item.itemID = lookUpId;
        menu.MeasureItem(&item);
        return SIZE{static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
    };
    const SIZE command = measureFirst(false, 0);
    const SIZE submenu = measureFirst(true, 0);
    EXPECT_EQ(command.cx + 16, submenu.cx);
    EXPECT_GE(command.cy, 18);
    EXPECT_GT(command.cx, 18);
    EXPECT_EQ(command.cx, measureFirst(false, 5).cx) << "an item without data is found by its id";
    EXPECT_EQ(0, measureFirst(false, 999).cx) << "an item without a record is ignored";

    EXPECT_EQ(18, IconMenuItemSize(IconMenuLayoutAt(96), 30, 5, false).height) << "a tiny font still gives 18";
    EXPECT_EQ(22, IconMenuItemSize(IconMenuLayoutAt(96), 30, 20, false).height);
}

TEST(IconMenu, AtOneAndAHalfTimesTheScaleTheIconsAreTheImagesDrawnAt24Pixels)
{
    CIconMenu menu(144);
    ASSERT_TRUE(menu.LoadMenu(IDR_CONTEXT_MENU));
    menu.ConvertToOwnerDraw();
    ASSERT_TRUE(menu.SetItemImage(ID_ADD_LINE, IDI_ADD_LINE));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<const IconMenuItem*>(ItemData(menu.GetSubMenu(0), 5))->image, &info));
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(24, bitmap.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(IconMenu, EachMenuOwnsTheRecordsItsItemsPointAt)
{
    CIconMenu first;
    ASSERT_TRUE(first.LoadMenu(IDR_CONTEXT_MENU));
    first.ConvertToOwnerDraw();
    CIconMenu second;
    EXPECT_TRUE(second.Items().empty()) << "a menu alive beside another shares none of its records";
    ASSERT_TRUE(second.LoadMenu(IDR_CONTEXT_MENU));
    second.ConvertToOwnerDraw();
    EXPECT_EQ(first.Items().size(), second.Items().size());
    EXPECT_TRUE(AllItemsPointInto(second.GetSafeHmenu(), second)) << "submenus' items included";
    EXPECT_FALSE(AllItemsPointInto(second.GetSafeHmenu(), first));
}

TEST(TrayIcon, RecordCarriesIconCallbackAndACutTip)
{
    HWND window = reinterpret_cast<HWND>(0x1234);
    HICON icon = reinterpret_cast<HICON>(0x5678);
    NOTIFYICONDATAA add = MakeTrayRecord(window, icon, WM_TRAYNOTIFY, kTrayTip, true);
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), add.cbSize);
    EXPECT_EQ(window, add.hWnd);
    EXPECT_EQ(1u, add.uID);
    EXPECT_EQ(UINT(NIF_ICON | NIF_MESSAGE | NIF_TIP), add.uFlags);
    EXPECT_EQ(0x410u, add.uCallbackMessage);
    EXPECT_EQ(icon, add.hIcon);
    EXPECT_STREQ("Mensuro Ver.1.0.1", add.szTip);

    const NOTIFYICONDATAA remove = MakeTrayRecord(window, icon, WM_TRAYNOTIFY, kTrayTip, false);
    EXPECT_EQ(UINT(NIF_ICON), remove.uFlags);
    EXPECT_EQ(0u, remove.uCallbackMessage);
    EXPECT_EQ(nullptr, remove.hIcon);
    EXPECT_STREQ("", remove.szTip);

    const std::string longTip(80, 'x');
    const NOTIFYICONDATAA cut = MakeTrayRecord(window, icon, 0, longTip.c_str(), true);
    EXPECT_EQ(63u, std::string(cut.szTip).size()) << "the tip field always ends in a zero byte";
    EXPECT_EQ(UINT(NIF_ICON | NIF_TIP), cut.uFlags) << "no callback message, no NIF_MESSAGE";
}
