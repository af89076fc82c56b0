#pragma once

// The units' side of the ruler: it owns the "Unit" submenu and the key U, which change the
// unit the ruler shows, "Calibrate..." with its dialog, and the monitor the unit is read on.
// It follows the ruler's centre from monitor to monitor and asks a monitor's physical scale
// only when the centre comes onto it (or the display, or the calibration, changes), never
// on each step of a drag. It reads the ruler's window and inner area, and changes only the
// unit and the model's screen basis.

#include "measure/ScreenScale.h"
#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"
#include "ruler/WindowRect.h"

class CUnitsTool : public RulerTool {
public:
    explicit CUnitsTool(RulerHost& host) : m_host(host) {}

    void OnStart() override;
    void OnEnd() override { m_following = false; }
    bool OnCommand(UINT id) override;
    bool OnKey(WPARAM key, bool ctrl) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void UpdateMenu(HMENU popup) const override;

private:
    // Puts the basis of the monitor under the ruler's centre into the model when it differs
    // from the one there; the monitor's scale is asked again only for another monitor, or
    // when `rescale` says the old answer may be out of date.
    void FollowMonitor(bool rescale);
    void SetUnit(Unit unit);
    void Calibrate();

    RulerHost& m_host;
    bool m_following = false; // from the ruler's start to its end
    HMONITOR m_monitor = nullptr;
    WindowRect m_monitorRect; // m_monitor's whole rectangle, empty until asked
    ScreenScale m_scale;      // of m_monitor
};
