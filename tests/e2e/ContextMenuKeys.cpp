// Walking the ruler's context menu with the keyboard, as a user does.
#include "e2e/RulerSession.h"

#include "resources/resource.h"
#include "support/TestPaths.h"

namespace {

// Where a command sits in the context menu: its index among the items that are not separators,
// and the same within the submenu it is in (-1 at the top level).
struct MenuPlace {
    int item = -1;
    int subItem = -1;
};

int PlaceIn(HMENU menu, UINT command, MenuPlace& place)
{
    int shown = 0;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
        if (info.hSubMenu) {
            MenuPlace inner;
            if (PlaceIn(info.hSubMenu, command, inner) >= 0) {
                place = {shown, inner.item};
                return shown;
            }
        } else if (info.wID == command) {
            place.item = shown;
            return shown;
        }
        ++shown;
    }
    return -1;
}

MenuPlace PlaceInContextMenu(UINT command)
{
    MenuPlace place;
    HMODULE exe = LoadLibraryExW(MensuroExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) return place;
    if (HMENU bar = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_CONTEXT_MENU))) {
        PlaceIn(GetSubMenu(bar, 0), command, place);
        DestroyMenu(bar);
    }
    FreeLibrary(exe);
    return place;
}

// The top row of the highlighted item in a menu window, or -1 while none is highlighted.
int HighlightTop(HWND menuWindow)
{
    const RECT r = WindowRectOf(menuWindow);
    const int x = (r.left + r.right) / 2;
    const ScreenShot column(x, r.top, 1, r.bottom - r.top);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), flat = GetSysColor(COLOR_MENUHILIGHT);
    for (int y = r.top; y < r.bottom; ++y) {
        const COLORREF c = column.At(x, y);
        if (c == highlight || c == flat) return y;
    }
    return -1;
}

// Presses a key in a menu and waits until the highlight has moved away from `top`, which then
// holds the new place.
bool MenuKey(HWND menuWindow, WORD vk, int& top)
{
    const int from = top;
    UserInput::Key(vk);
    return PumpUntil([&] { return IsWindowVisible(menuWindow) && (top = HighlightTop(menuWindow)) != from; });
}

bool MenuGone(HWND menuWindow)
{
    return !IsWindow(menuWindow) || !IsWindowVisible(menuWindow);
}

} // namespace

bool ChooseMenuCommand(HWND menuWindow, UINT command)
{
    const MenuPlace place = PlaceInContextMenu(command);
    if (place.item < 0 || !menuWindow) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(menuWindow, &pid);
    // The keys below count from no item highlighted. Until the menu has painted, the screen
    // can still show the last menu's highlight there.
    int top = 0;
    if (!PumpUntil([&] { return IsWindowVisible(menuWindow) && (top = HighlightTop(menuWindow)) < 0; })) return false;
    for (int i = 0; i <= place.item; ++i)
        if (!MenuKey(menuWindow, VK_DOWN, top)) return false;
    if (place.subItem >= 0) {
        UserInput::Key(VK_RIGHT);
        HWND sub = nullptr;
        // The submenu opens with its first item highlighted.
        if (!PumpUntil([&] {
                sub = WindowOfProcess(pid, L"#32768", menuWindow);
                return sub && HighlightTop(sub) >= 0;
            }))
            return false;
        int subTop = HighlightTop(sub);
        for (int i = 0; i < place.subItem; ++i)
            if (!MenuKey(sub, VK_DOWN, subTop)) return false;
        UserInput::Key(VK_RETURN);
        return PumpUntil([&] { return MenuGone(menuWindow) && MenuGone(sub); });
    }
    UserInput::Key(VK_RETURN);
    return PumpUntil([&] { return MenuGone(menuWindow); });
}

bool CloseMenu(HWND menuWindow)
{
    UserInput::Key(VK_ESCAPE);
    return PumpUntil([&] { return MenuGone(menuWindow); });
}

HWND OpenContextMenu(const RulerSession& ruler, int x, int y)
{
    UserInput::Click(x, y, true);
    HWND menu = nullptr;
    PumpUntil([&] { return (menu = ContextMenuOf(ruler)) != nullptr; });
    return menu;
}
