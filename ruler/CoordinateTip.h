#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

// The tooltip that reads the pointer's coordinate over a bar and a guide line's value
// with the gaps to its neighbours. It belongs to the ruler, which destroys it.
class CCoordinateTip {
public:
    // Made for `owner` as the tool it describes (not owned by it: see the .cpp).
    void Create(HWND owner);
    void Destroy() { m_window.reset(); }
    HWND Window() const { return m_window.get(); }
    void SetText(const std::wstring& text);
    // Hands a mouse message of the ruler to the tooltip, which shows and hides itself on them.
    void Relay(MSG& msg);

private:
    OwnedWindow m_window;
    HWND m_owner = nullptr;
};
