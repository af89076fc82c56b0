// "Settings...": edits the options and the four bars, saves the bars, resizes and relays out.
#include "ruler/MensuroDlg.h"

#include "profile/RegistryProfile.h"
#include "settings/SettingsDlg.h"

#include <string>

void CMensuroDlg::OnCmdSettings()
{
    CSettingsDlg dialog(m_hWnd);
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    // The inner area's size: the window without a bar on each side.
    dialog.m_width = std::to_wstring(window.right - window.left - 2 * Thickness());
    dialog.m_height = std::to_wstring(window.bottom - window.top - 2 * Thickness());
    dialog.m_choices = ChoicesFromOptions(*this);
    dialog.SetScaleSize(ScaleSize);
    dialog.SetLineSize(LineSize);
    dialog.m_lineColor.SetColor(LineColor);
    dialog.m_lineTextColor.SetColor(LineTextColor);
    m_scaleBars.resize(BarCount);
    for (size_t i = 0; i < m_scaleBars.size(); ++i) dialog.m_bars[i] = ValuesOfBar(m_scaleBars[i]);

    if (RunDialog(dialog) != IDOK) return;

    ApplyChoices(dialog.m_choices, *this);
    ScaleSize = dialog.ScaleSizeOr(ScaleSize);
    LineSize = dialog.LineSizeOr(LineSize);
    LineColor = dialog.m_lineColor.GetColor();
    LineTextColor = dialog.m_lineTextColor.GetColor();
    for (size_t i = 0; i < m_scaleBars.size(); ++i) ApplyBarValues(dialog.m_bars[i], m_scaleBars[i]);

    {
        RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
        PersistScaleBars(m_scaleBars, profile, false);
    }

    // The inner size stays as typed; the bars of the new thickness go around it.
    // Thickness() is the new ScaleSize at the screen's scale; the inner size is in device pixels.
    SetWindowPos(m_hWnd, nullptr, 0, 0, OuterExtent(dialog.m_width, Thickness()),
                 OuterExtent(dialog.m_height, Thickness()), SWP_NOMOVE | SWP_NOZORDER);
    Relayout();
}
