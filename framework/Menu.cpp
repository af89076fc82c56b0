#include "framework/Menu.h"

CMenu::~CMenu()
{
    DestroyMenu();
}

void CMenu::DrawItem(DRAWITEMSTRUCT*) {}

void CMenu::MeasureItem(MEASUREITEMSTRUCT*) {}

bool CMenu::LoadMenu(UINT resourceId)
{
    Attach(::LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)));
    return m_hMenu != nullptr;
}

void CMenu::Attach(HMENU menu)
{
    DestroyMenu();
    m_hMenu = menu;
}

void CMenu::DestroyMenu()
{
    if (m_hMenu) ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
}
