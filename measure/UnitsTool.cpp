#include "measure/UnitsTool.h"

#include "measure/CalibrateDlg.h"
#include "measure/Calibration.h"
#include "measure/MonitorScale.h"
#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "ruler/MonitorRect.h"
#include "ruler/Win32Rect.h"

static_assert(ID_UNIT_PERCENT - ID_UNIT_PIXELS + 1 == kUnitCount, "one command per unit, in Unit order");

void CUnitsTool::OnStart()
{
    m_following = true;
    FollowMonitor(true);
}

void CUnitsTool::FollowMonitor(bool rescale)
{
    const HWND window = m_host.Window();
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) return;
    const POINT centre = {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
    // Which monitor a point is on costs more than all else here on a step of a drag (some
    // 0.03 ms under Wine): it is asked only once the centre has left the monitor it was on.
    if (rescale || !m_monitorRect.Contains(centre.x, centre.y)) {
        const HMONITOR monitor = MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        m_monitorRect = GetMonitorInfoW(monitor, &info) ? FromRect(info.rcMonitor) : WindowRect();
        if (monitor != m_monitor || rescale) {
            RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
            m_scale = MonitorScreenScale(monitor, profile);
            m_monitor = monitor;
        }
    }
    // The DPI is asked each time, as it is cheap: a change of the screen's scale alone
    // reaches the features as the move that keeps the ruler's inner area in place.
    const ScreenBasis basis{WindowDpi(window), m_scale.pixelsPerMetre};
    const ScreenBasis& now = m_host.Model().basis;
    if (basis.dpi == now.dpi && basis.pixelsPerMetre == now.pixelsPerMetre) return;
    m_host.ChangeModel([&](RulerModel& model) { model.basis = basis; });
}

bool CUnitsTool::OnMessage(UINT message, WPARAM, LPARAM, LRESULT&)
{
    // Declined either way: the ruler's default processing still sees them.
    if (!m_following) return false;
    if (message == WM_WINDOWPOSCHANGED) FollowMonitor(false);
    // The monitors' sizes in pixels changed, and with them the densities their sizes give.
    if (message == WM_DISPLAYCHANGE) FollowMonitor(true);
    return false;
}

void CUnitsTool::SetUnit(Unit unit)
{
    m_host.ChangeModel([unit](RulerModel& model) { model.options.DisplayUnit = unit; });
}

bool CUnitsTool::OnCommand(UINT id)
{
    if (id >= ID_UNIT_PIXELS && id <= ID_UNIT_PERCENT) {
        SetUnit(UnitFromStored(static_cast<int32_t>(id - ID_UNIT_PIXELS)));
        return true;
    }
    if (id != ID_CALIBRATE) return false;
    Calibrate();
    return true;
}

bool CUnitsTool::OnKey(WPARAM key, bool ctrl)
{
    if (key != 'U' || ctrl) return false;
    const int32_t next = (static_cast<int32_t>(m_host.Model().options.DisplayUnit) + 1) % kUnitCount;
    SetUnit(UnitFromStored(next));
    return true;
}

void CUnitsTool::UpdateMenu(HMENU popup) const
{
    const UINT chosen = ID_UNIT_PIXELS + static_cast<UINT>(m_host.Model().options.DisplayUnit);
    CheckMenuRadioItem(popup, ID_UNIT_PIXELS, ID_UNIT_PERCENT, chosen, MF_BYCOMMAND);
}

// The calibration is stored at once, for the monitor the ruler is on, and read from there
// whenever the ruler comes back onto that monitor.
void CUnitsTool::Calibrate()
{
    FollowMonitor(false);
    const std::wstring name = MonitorDeviceName(m_monitor);
    if (name.empty()) return;
    const RECT inner = m_host.InnerScreenRect();
    CCalibrateDlg dialog(m_host.Window(), name, DescribeScale(m_scale), inner.right - inner.left);
    const INT_PTR result = m_host.RunDialog(dialog);
    RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
    if (result == IDOK)
        WriteCalibration(profile, name, dialog.PixelsPerMetre());
    else if (result == IDC_CALIBRATE_RESET)
        ForgetCalibration(profile, name);
    else
        return;
    FollowMonitor(true);
}
