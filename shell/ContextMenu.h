#pragma once

// The context menu (menu 129) owns the popup while it is open: plain, or drawn with icons
// while "Menu Icon" is on, and the measuring and drawing of its items. Every feature puts
// its own checks and icons in it through the ruler; the chosen command reaches the ruler
// as an ordinary WM_COMMAND after the menu closes.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

class CIconMenu;

class CContextMenu : public RulerTool {
public:
    explicit CContextMenu(RulerHost& host) : m_host(host) {}

    bool ShowMenu(int x, int y) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    RulerHost& m_host;
    // The menu drawn with icons while it is open.
    CIconMenu* m_iconMenu = nullptr;
};
