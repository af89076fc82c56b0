// The context menu: plain, or drawn with icons while "Menu Icon" is on.
#include "ruler/MensuroDlg.h"

#include "resources/resource.h"
#include "shell/IconMenu.h"

#include <memory>

namespace {

struct MenuImage {
    UINT command;
    UINT icon;
};

// In the order the icons are assigned.
constexpr MenuImage kMenuImages[] = {
    {ID_TASKTRAY, IDI_TASKTRAY},
    {ID_MENU_ICON, IDI_MENU_ICON},
    {IDOK, IDI_EXIT},
    {ID_APP_ABOUT, IDI_VERSION},
    {ID_TOPMOST, IDI_TOPMOST},
    {ID_COPY, IDI_COPY},
    {ID_COPY_SETTING, IDI_COPY_SETTING},
    {ID_ADD_LINE, IDI_ADD_LINE},
    {ID_DELETE_LINE, IDI_DELETE_LINE},
    {ID_LINE_LIST, IDI_LINE_LIST},
    {ID_DELETE_ALL_LINES, IDI_DELETE_ALL_LINES},
    {ID_SIZE_320, IDI_SIZE},
    {ID_SIZE_640, IDI_SIZE},
    {ID_SIZE_800, IDI_SIZE},
    {ID_SIZE_1024, IDI_SIZE},
    {ID_SIZE_1280, IDI_SIZE},
    {ID_SIZE_1600, IDI_SIZE},
    {ID_SAVE_PICTURE, IDI_SAVE_PICTURE},
    {ID_LOUPE, IDI_LOUPE},
    {ID_LINES_AT_EDGES, IDI_LINES_AT_EDGES},
    {ID_SNAP_TO_EDGES, IDI_SNAP_TO_EDGES},
};

} // namespace

void CMensuroDlg::ShowContextMenu(int x, int y)
{
    // The menu takes the mouse: no mode may wait for a release under it.
    EndMouseMode(ModeExit::Cancel);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    std::unique_ptr<CIconMenu> iconMenu;
    CMenu plain;
    CMenu* menu = &plain;
    if (Option & OptMenuIcon) {
        iconMenu = std::make_unique<CIconMenu>();
        m_pMenu = iconMenu.get();
        menu = iconMenu.get();
        iconMenu->LoadMenu(IDR_CONTEXT_MENU);
        iconMenu->ConvertToOwnerDraw();
        for (const MenuImage& image : kMenuImages) iconMenu->SetItemImage(image.command, image.icon);
        // The window's own icon, shared, not owned by the menu.
        iconMenu->SetItemIcon(ID_SETTINGS, m_hIcon, false);
    } else {
        plain.LoadMenu(IDR_CONTEXT_MENU);
    }

    if (HMENU popup = menu->GetSubMenu(0)) {
        CheckMenuItem(popup, ID_TOPMOST, MF_BYCOMMAND | ((Option & OptTopmost) ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(popup, ID_TASKTRAY, MF_BYCOMMAND | ((Option & OptTaskTray) ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(popup, ID_MENU_ICON, MF_BYCOMMAND | ((Option & OptMenuIcon) ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(popup, ID_LOUPE, MF_BYCOMMAND | ((Option & OptLoupe) ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(popup, ID_SNAP_TO_EDGES, MF_BYCOMMAND | ((Option & OptSnapEdges) ? MF_CHECKED : MF_UNCHECKED));
        // The pattern documented for notification-area menus: opened from the tray the
        // ruler is not in the foreground, and then a click elsewhere does not close the
        // menu; the WM_NULL after it keeps the next one from closing at once.
        SetForegroundWindow(m_hWnd);
        // The command reaches the window as an ordinary WM_COMMAND after the menu closes.
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, m_hWnd, nullptr);
        PostMessageW(m_hWnd, WM_NULL, 0, 0);
    }
    m_pMenu = nullptr;
}

LRESULT CMensuroDlg::OnMeasureItem(WPARAM, LPARAM lParam)
{
    if (m_pMenu) m_pMenu->MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    return Default();
}

LRESULT CMensuroDlg::OnDrawItem(WPARAM, LPARAM lParam)
{
    if (m_pMenu) m_pMenu->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return Default();
}
