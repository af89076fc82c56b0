#include "shell/ContextMenu.h"

#include "resources/resource.h"
#include "ruler/MonitorRect.h"
#include "shell/IconMenu.h"

#include <memory>

bool CContextMenu::ShowMenu(int x, int y)
{
    std::unique_ptr<CIconMenu> iconMenu;
    CMenu plain;
    CMenu* menu = &plain;
    if (m_host.Model().options.Option & OptMenuIcon) {
        // Drawn at the scale of the monitor it opens on.
        iconMenu = std::make_unique<CIconMenu>(MonitorDpi(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST)));
        menu = iconMenu.get();
        iconMenu->LoadMenu(IDR_CONTEXT_MENU);
        iconMenu->ConvertToOwnerDraw();
        std::vector<MenuImage> images;
        m_host.AddMenuImages(images);
        for (const MenuImage& image : images) iconMenu->SetItemImage(image.command, image.icon);
        // The window's own icon (its 96-DPI image), shared, not owned by the menu; at
        // another size its image anew.
        if (iconMenu->Layout().icon == IconMenuLayoutAt(kBaseDpi).icon)
            iconMenu->SetItemIcon(ID_SETTINGS, m_host.Icon(), false);
        else
            iconMenu->SetItemImage(ID_SETTINGS, IDI_MENSURO);
    } else {
        plain.LoadMenu(IDR_CONTEXT_MENU);
    }

    if (HMENU popup = menu->GetSubMenu(0)) {
        m_host.UpdateMenu(popup);
        const HWND ruler = m_host.Window();
        // The pattern documented for notification-area menus: opened from the tray the
        // ruler is not in the foreground, and then a click elsewhere does not close the
        // menu; the WM_NULL after it keeps the next one from closing at once.
        SetForegroundWindow(ruler);
        m_iconMenu = iconMenu.get();
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, ruler, nullptr);
        m_iconMenu = nullptr;
        PostMessageW(ruler, WM_NULL, 0, 0);
    }
    return true;
}

bool CContextMenu::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&)
{
    // Declined either way: the dialog's default processing still sees the message.
    if (!m_iconMenu) return false;
    if (message == WM_MEASUREITEM) m_iconMenu->MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    if (message == WM_DRAWITEM) m_iconMenu->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return false;
}
