#pragma once

#include <windows.h>

// A menu handle with the owner-draw operations a derived menu can take over.
// The object owns its menu and destroys it with itself.
class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    virtual void DrawItem(DRAWITEMSTRUCT* item);
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);

    bool LoadMenu(UINT resourceId);
    void Attach(HMENU menu);
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // Submenu at a position, not owned by the caller.
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    void DestroyMenu();

protected:
    HMENU m_hMenu = nullptr;
};
