#include "settings/SettingsTool.h"

#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "settings/SettingsDlg.h"

#include <string>

bool CSettingsTool::OnCommand(UINT id)
{
    if (id != ID_SETTINGS) return false;
    EditSettings();
    return true;
}

void CSettingsTool::EditSettings()
{
    const HWND ruler = m_host.Window();
    const RulerModel& model = m_host.Model();
    const RulerOptions& options = model.options;
    CSettingsDlg dialog(ruler);
    RECT window = {};
    GetWindowRect(ruler, &window);
    // The inner area's size: the window without a bar on each side.
    const int32_t s = m_host.Thickness();
    dialog.m_width = std::to_wstring(window.right - window.left - 2 * s);
    dialog.m_height = std::to_wstring(window.bottom - window.top - 2 * s);
    dialog.m_choices = ChoicesFromOptions(options);
    dialog.SetScaleSize(options.ScaleSize);
    dialog.SetLineSize(options.LineSize);
    dialog.m_lineColor.SetColor(options.LineColor);
    dialog.m_lineTextColor.SetColor(options.LineTextColor);
    std::vector<ScaleBarStyle> bars = model.bars;
    bars.resize(BarCount);
    for (size_t i = 0; i < bars.size(); ++i) dialog.m_bars[i] = ValuesOfBar(bars[i]);

    if (m_host.RunDialog(dialog) != IDOK) return;

    for (size_t i = 0; i < bars.size(); ++i) ApplyBarValues(dialog.m_bars[i], bars[i]);
    {
        RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
        PersistScaleBars(bars, profile, false);
    }
    m_host.ChangeModel([&](RulerModel& changed) {
        RulerOptions& o = changed.options;
        ApplyChoices(dialog.m_choices, o);
        o.ScaleSize = dialog.ScaleSizeOr(o.ScaleSize);
        o.LineSize = dialog.LineSizeOr(o.LineSize);
        o.LineColor = dialog.m_lineColor.GetColor();
        o.LineTextColor = dialog.m_lineTextColor.GetColor();
        changed.bars = bars;
    });
    // The inner size stays as typed; the bars of the new thickness go around it.
    // The thickness is the new ScaleSize at the screen's scale; the inner size is in device pixels.
    const int32_t thickness = m_host.Thickness();
    SetWindowPos(ruler, nullptr, 0, 0, OuterExtent(dialog.m_width, thickness), OuterExtent(dialog.m_height, thickness),
                 SWP_NOMOVE | SWP_NOZORDER);
    m_host.Relayout();
}
