// The units' feature against a stand-in ruler: the monitor's scale asked again only when it
// may have changed, and the unit taken from the key and the menu.
#include "measure/MonitorScale.h"
#include "measure/UnitsTool.h"
#include "resources/resource.h"
#include "support/FakeRulerHost.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

TEST(UnitsTool, AStepOnTheSameMonitorAsksNothingAndTheKeyAndMenuChangeTheUnitWithOneRelayout)
{
    const RegistryScope reg("SOFTWARE\\Veltrin's Applications\\mensuro_unit_tests");
    reg.Clear();
    FakeRulerHost host(400, 300);
    CUnitsTool units(host);
    units.OnStart();
    const ScreenBasis found = host.model.basis;
    EXPECT_TRUE(IsPixelsPerMetre(found.pixelsPerMetre));

    // A calibration stored behind the tool's back shows only once the display may have changed.
    const std::wstring monitor = MonitorDeviceName(MonitorFromWindow(host.Window(), MONITOR_DEFAULTTONEAREST));
    reg.SetDword("Calibration", std::string(monitor.begin(), monitor.end()).c_str(), 5000);
    const int relayouts = host.relayouts;
    LRESULT result = 0;
    EXPECT_FALSE(units.OnMessage(WM_WINDOWPOSCHANGED, 0, 0, result)) << "the ruler's own processing goes on";
    EXPECT_EQ(found.pixelsPerMetre, host.model.basis.pixelsPerMetre);
    EXPECT_EQ(relayouts, host.relayouts);
    units.OnMessage(WM_DISPLAYCHANGE, 0, 0, result);
    EXPECT_EQ(5000, host.model.basis.pixelsPerMetre);
    EXPECT_EQ(relayouts + 1, host.relayouts);

    for (int32_t next : {1, 2, 3, 4, 5, 6, 0}) {
        EXPECT_TRUE(units.OnKey('U', false));
        EXPECT_EQ(UnitFromStored(next), host.model.options.DisplayUnit);
    }
    EXPECT_FALSE(units.OnKey('U', true));
    EXPECT_EQ(relayouts + 8, host.relayouts);

    ASSERT_TRUE(units.OnCommand(ID_UNIT_POINTS));
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
    units.UpdateMenu(GetSubMenu(menu, 0));
    for (UINT id = ID_UNIT_PIXELS; id <= ID_UNIT_PERCENT; ++id)
        EXPECT_EQ(id == ID_UNIT_POINTS, (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0) << id;
    DestroyMenu(menu);
    reg.Clear();
}
