#include "shell/WindowCommands.h"

#include "resources/resource.h"
#include "shell/AboutDlg.h"
#include "shell/SizePresets.h"

#include <iterator>

namespace {

constexpr MenuImage kImages[] = {
    {ID_MENU_ICON, IDI_MENU_ICON}, {ID_APP_ABOUT, IDI_VERSION}, {ID_TOPMOST, IDI_TOPMOST}, {ID_SIZE_320, IDI_SIZE},
    {ID_SIZE_640, IDI_SIZE},       {ID_SIZE_800, IDI_SIZE},     {ID_SIZE_1024, IDI_SIZE},  {ID_SIZE_1280, IDI_SIZE},
    {ID_SIZE_1600, IDI_SIZE},
};

void Check(HMENU popup, UINT id, bool on)
{
    CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace

bool CWindowCommands::OnCommand(UINT id)
{
    switch (id) {
    case ID_TOPMOST: ToggleTopmost(); return true;
    case ID_MENU_ICON:
        // The next context menu reads the bit.
        m_host.ChangeModel([](RulerModel& model) { model.options.Option ^= OptMenuIcon; });
        return true;
    case ID_APP_ABOUT: ShowVersion(); return true;
    default: break;
    }
    if (PresetInnerSize(id).width == 0) return false;
    ApplyPresetSize(id);
    return true;
}

void CWindowCommands::ToggleTopmost()
{
    m_host.ChangeModel([](RulerModel& model) { model.options.Option ^= OptTopmost; });
    const bool on = (m_host.Model().options.Option & OptTopmost) != 0;
    SetWindowPos(m_host.Window(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void CWindowCommands::ApplyPresetSize(UINT command)
{
    const PresetSize size = PresetInnerSize(command);
    // The outer size reserves the bars' thickness on all four sides, shown or not.
    const int32_t s = m_host.Thickness();
    SetWindowPos(m_host.Window(), nullptr, 0, 0, size.width + 2 * s, size.height + 2 * s, SWP_NOMOVE | SWP_NOZORDER);
}

void CWindowCommands::ShowVersion()
{
    CAboutDlg about(m_host.Window());
    m_host.RunDialog(about);
}

void CWindowCommands::UpdateMenu(HMENU popup) const
{
    const uint32_t option = m_host.Model().options.Option;
    Check(popup, ID_TOPMOST, (option & OptTopmost) != 0);
    Check(popup, ID_MENU_ICON, (option & OptMenuIcon) != 0);
}

void CWindowCommands::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.insert(images.end(), std::begin(kImages), std::end(kImages));
}
