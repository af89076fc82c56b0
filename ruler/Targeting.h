#pragma once

#include "ruler/RulerHost.h"

// Window targeting with the right button: drag onto another window to fit the ruler
// around it, or (Ctrl) that window into the ruler; a click opens the menu. The target's
// outline is drawn inverted on the screen while the button is down.
class CTargeting : public MouseMode {
public:
    explicit CTargeting(RulerHost& host) : m_host(host) {}

    // Pressed at `client`; the ruler then runs the mode.
    void Begin(POINT client);

    WPARAM Button() const override { return MK_RBUTTON; }
    void OnModeMove(POINT client, bool ctrl) override;
    void OnModeEnd(ModeExit exit, POINT client, bool ctrl) override;

private:
    void Drop(POINT client, bool ctrl);
    // The ruler around `target`, or with Ctrl `target` into the ruler's inner area.
    void FitAround(HWND target);
    // False when the user declined to resize a child window.
    bool PlaceInside(HWND target);

    RulerHost& m_host;
    POINT m_anchor = {0, 0};
    RECT m_targetRect = {0, 0, 0, 0};
    HWND m_target = nullptr;
};
