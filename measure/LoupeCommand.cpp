// The ruler's side of the loupe: its command, its keys and its option bit.
#include "measure/LoupeWnd.h"
#include "ruler/MensuroDlg.h"

void CMensuroDlg::OnCmdLoupe()
{
    SetLoupe(!(Option & OptLoupe));
}

void CMensuroDlg::SetLoupe(bool on)
{
    if (on && !m_loupe) {
        // The numbers of the scale bars: 0 at the inner area's top-left corner.
        m_loupe = std::make_unique<CLoupeWnd>([this] {
            POINT origin = {Thickness(), Thickness()};
            ClientToScreen(m_hWnd, &origin);
            return origin;
        });
    }
    if (on)
        on = m_loupe->Show(m_hWnd, LoupeZoom);
    else if (m_loupe)
        m_loupe->Hide();
    // The bit follows what the user sees, so Exit saves it and the next start restores it.
    SetOptionBit(Option, OptLoupe, on);
}

bool CMensuroDlg::OnLoupeKey(WPARAM key)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool on = m_loupe && m_loupe->IsShown();
    if (key == 'C' && ctrl) {
        if (on)
            m_loupe->CopyColor(m_hWnd);
        else
            OnCmdCopy();
        return true;
    }
    if (ctrl) return false;
    if (key == 'L') {
        OnCmdLoupe();
        return true;
    }
    if (!on) return false;
    switch (key) {
    case VK_OEM_PLUS:
    case VK_ADD: m_loupe->StepZoom(1); break;
    case VK_OEM_MINUS:
    case VK_SUBTRACT: m_loupe->StepZoom(-1); break;
    case VK_SPACE: m_loupe->ToggleFrozen(); break;
    default: return false;
    }
    LoupeZoom = m_loupe->Zoom();
    return true;
}
