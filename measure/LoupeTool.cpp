#include "measure/LoupeTool.h"

#include "copy/ScreenCopy.h"
#include "measure/LoupeWnd.h"
#include "resources/resource.h"

CLoupeTool::CLoupeTool(RulerHost& host) : m_host(host) {}

CLoupeTool::~CLoupeTool() = default;

void CLoupeTool::OnStart()
{
    if (m_host.Model().options.Option & OptLoupe) SetLoupe(true);
}

bool CLoupeTool::Shown() const
{
    return m_loupe && m_loupe->IsShown();
}

void CLoupeTool::SetLoupe(bool on)
{
    if (on && !m_loupe) {
        // The numbers of the scale bars: 0 at the inner area's top-left corner, in the ruler's unit.
        m_loupe = std::make_unique<CLoupeWnd>([this] {
            const RECT inner = m_host.InnerScreenRect();
            const RulerModel& model = m_host.Model();
            return CLoupeWnd::InnerArea{
                {inner.left, inner.top}, model.Axis(inner.right - inner.left), model.Axis(inner.bottom - inner.top)};
        });
    }
    if (on)
        on = m_loupe->Show(m_host.Window(), m_host.Model().options.LoupeZoom);
    else if (m_loupe)
        m_loupe->Hide();
    // The bit follows what the user sees, so Exit saves it and the next start restores it.
    m_host.ChangeModel([on](RulerModel& model) { SetOptionBit(model.options.Option, OptLoupe, on); });
}

bool CLoupeTool::OnCommand(UINT id)
{
    if (id != ID_LOUPE) return false;
    SetLoupe(!(m_host.Model().options.Option & OptLoupe));
    return true;
}

bool CLoupeTool::OnKey(WPARAM key, bool ctrl)
{
    const bool on = Shown();
    if (ctrl) {
        // Ctrl+C copies the colour under the pointer while the loupe shows; else it is Copy's.
        if (key != 'C' || !on) return false;
        // Reported as Copy reports, when the options ask for it.
        ReportCopyResult(m_host.Window(), m_host.Model().options, m_loupe->CopyColor(m_host.Window()));
        return true;
    }
    if (key == 'L') {
        SetLoupe(!(m_host.Model().options.Option & OptLoupe));
        return true;
    }
    if (!on) return false;
    switch (key) {
    case VK_OEM_PLUS:
    case VK_ADD: m_loupe->StepZoom(1); break;
    case VK_OEM_MINUS:
    case VK_SUBTRACT: m_loupe->StepZoom(-1); break;
    case VK_SPACE: m_loupe->ToggleFrozen(); return true;
    default: return false;
    }
    const int32_t zoom = m_loupe->Zoom();
    m_host.ChangeModel([zoom](RulerModel& model) { model.options.LoupeZoom = zoom; });
    return true;
}

void CLoupeTool::UpdateMenu(HMENU popup) const
{
    const bool on = (m_host.Model().options.Option & OptLoupe) != 0;
    CheckMenuItem(popup, ID_LOUPE, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CLoupeTool::AddOwnWindows(std::vector<HWND>& windows) const
{
    if (m_loupe) windows.push_back(m_loupe->GetSafeHwnd());
}

void CLoupeTool::PutAsideForPicture(bool aside)
{
    if (m_loupe) m_loupe->PutAside(aside);
}

void CLoupeTool::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.push_back({ID_LOUPE, IDI_LOUPE});
}
