// The toggles of the context menu and the size presets.
#include "ruler/MensuroDlg.h"

#include "resources/resource.h"
#include "shell/SizePresets.h"
#include "shell/TrayIcon.h"

void CMensuroDlg::OnCmdTopmost()
{
    Option ^= OptTopmost;
    SetWindowPos(m_hWnd, (Option & OptTopmost) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void CMensuroDlg::OnCmdTaskTray()
{
    Option ^= OptTaskTray;
    ShowTrayIcon((Option & OptTaskTray) != 0);
}

void CMensuroDlg::OnCmdMenuIcon()
{
    // The next context menu reads the bit.
    Option ^= OptMenuIcon;
}

void CMensuroDlg::ApplyPresetSize(UINT command)
{
    const PresetSize size = PresetInnerSize(command);
    if (size.width == 0) return;
    // The outer size reserves the bars' thickness on all four sides, shown or not.
    SetWindowPos(m_hWnd, nullptr, 0, 0, size.width + 2 * Thickness(), size.height + 2 * Thickness(),
                 SWP_NOMOVE | SWP_NOZORDER);
}

void CMensuroDlg::OnCmdSize320()
{
    ApplyPresetSize(ID_SIZE_320);
}
void CMensuroDlg::OnCmdSize640()
{
    ApplyPresetSize(ID_SIZE_640);
}
void CMensuroDlg::OnCmdSize800()
{
    ApplyPresetSize(ID_SIZE_800);
}
void CMensuroDlg::OnCmdSize1024()
{
    ApplyPresetSize(ID_SIZE_1024);
}
void CMensuroDlg::OnCmdSize1280()
{
    ApplyPresetSize(ID_SIZE_1280);
}
void CMensuroDlg::OnCmdSize1600()
{
    ApplyPresetSize(ID_SIZE_1600);
}
