// The Calibrate dialog run modally and driven as a user would, and the monitor's scale on this system.
#include "framework/StringMessageBox.h"
#include "measure/CalibrateDlg.h"
#include "measure/Calibration.h"
#include "measure/MonitorEdid.h"
#include "measure/MonitorScale.h"
#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Step = std::function<bool()>; // false: not yet, try again on the next tick

// The steps left, run one a tick of a thread timer while the dialog's loop (or its message
// box's) runs. Clicks are posted, so no step waits inside a loop the next tick runs in.
std::vector<Step> g_steps;
size_t g_done = 0;
DWORD g_start = 0;

HWND Dialog()
{
    return FindWindowW(L"#32770", L"Calibrate");
}

// The message box over the dialog, or null.
HWND Box()
{
    struct Search {
        HWND owner, found;
    } search = {Dialog(), nullptr};
    if (!search.owner) return nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetWindow(window, GW_OWNER) == s->owner && IsWindowVisible(window)) s->found = window;
            return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_done < g_steps.size() && g_steps[g_done]()) ++g_done;
    // A step that never comes true must not hold the run.
    if (GetTickCount() - g_start > 10000 && Dialog()) {
        if (HWND box = Box()) PostMessageW(box, WM_COMMAND, IDOK, 0);
        PostMessageW(Dialog(), WM_COMMAND, IDCANCEL, 0);
    }
}

INT_PTR RunDriven(CModalDialog& dialog, std::vector<Step> steps)
{
    g_steps = std::move(steps);
    g_done = 0;
    g_start = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, NextStep);
    const INT_PTR result = dialog.DoModal();
    KillTimer(nullptr, timer);
    return result;
}

std::wstring Text(HWND window, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(window, id, text, 256);
    return text;
}

Step Type(const wchar_t* text, int unitIndex = 0)
{
    return [=] {
        if (!Dialog() || Box()) return false;
        SetDlgItemTextW(Dialog(), IDC_CALIBRATE_LENGTH, text);
        SendDlgItemMessageW(Dialog(), IDC_CALIBRATE_UNIT, CB_SETCURSEL, static_cast<WPARAM>(unitIndex), 0);
        return true;
    };
}

Step Click(int id)
{
    return [=] { return Dialog() && PostMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
}

// Waits for the message box, checks that it says `message` (its text is item 0xFFFF) and closes it.
Step Says(UINT message)
{
    return [=] {
        if (!Box()) return false;
        EXPECT_EQ(LoadResourceString(message), Text(Box(), 0xFFFF));
        return PostMessageW(Box(), WM_COMMAND, IDOK, 0) != 0;
    };
}

} // namespace

TEST(CalibrateDialog, BadLengthsAreExplainedAndAGoodOneGivesTheScale)
{
    CCalibrateDlg dialog(nullptr, L"\\\\.\\DISPLAY1", L"The monitor's EDID: 3780 px/m (96.0 px/in)", 378);
    std::vector<Step> steps = {[] {
        if (!Dialog()) return false;
        EXPECT_EQ(L"\\\\.\\DISPLAY1", Text(Dialog(), IDC_CALIBRATE_MONITOR));
        EXPECT_EQ(L"The monitor's EDID: 3780 px/m (96.0 px/in)", Text(Dialog(), IDC_CALIBRATE_SCALE));
        EXPECT_EQ(L"378 px", Text(Dialog(), IDC_CALIBRATE_WIDTH));
        return true;
    }};
    const std::pair<const wchar_t*, UINT> bad[] = {{L"", IDS_CALIBRATE_EMPTY},
                                                   {L"abc", IDS_CALIBRATE_NOT_NUMBER},
                                                   {L"0", IDS_CALIBRATE_NOT_POSITIVE},
                                                   {L"-10", IDS_CALIBRATE_NOT_POSITIVE},
                                                   {L"0.001", IDS_CALIBRATE_OUT_OF_RANGE}};
    for (const auto& [text, message] : bad) steps.insert(steps.end(), {Type(text), Click(IDOK), Says(message)});
    steps.insert(steps.end(), {Type(L"10", 1), Click(IDOK)}); // cm
    EXPECT_EQ(IDOK, RunDriven(dialog, steps));
    EXPECT_EQ(steps.size(), g_done);
    EXPECT_EQ(3780, dialog.PixelsPerMetre()) << "10 cm over 378 px";

    CCalibrateDlg reset(nullptr, L"\\\\.\\DISPLAY2", L"", 100);
    EXPECT_EQ(IDC_CALIBRATE_RESET, RunDriven(reset, {Type(L"12"), Click(IDC_CALIBRATE_RESET)}));
}

TEST(MonitorScale, ThisSystemsMonitorHasAScaleAndItsCalibrationComesFirst)
{
    const char base[] = "SOFTWARE\\Veltrin's Applications\\MensuroCalibrateTest";
    RegistryScope scope(base);
    scope.Clear();
    RegistryProfile profile(base, HKEY_CURRENT_USER);
    const HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const std::wstring name = MonitorDeviceName(monitor);
    ASSERT_FALSE(name.empty());
    EXPECT_GT(GatherScaleEvidence(monitor, profile).widthPx, 0);
    EXPECT_TRUE(ReadMonitorEdid(L"\\\\.\\NO_SUCH_DISPLAY").empty());
    const ScreenScale found = MonitorScreenScale(monitor, profile);
    EXPECT_NE(ScaleSource::Calibration, found.source);
    EXPECT_TRUE(IsPixelsPerMetre(found.pixelsPerMetre));

    ASSERT_TRUE(WriteCalibration(profile, name, 5000));
    EXPECT_EQ(5000u, scope.Dword("Calibration", std::string(name.begin(), name.end()).c_str()).value_or(0));
    EXPECT_EQ(5000, MonitorScreenScale(monitor, profile).pixelsPerMetre);
    ASSERT_TRUE(ForgetCalibration(profile, name));
    EXPECT_EQ(found.source, MonitorScreenScale(monitor, profile).source);
    scope.Clear();

    // The source's name from the string table, in English where these tests run.
    EXPECT_EQ(L"The size Windows reports: 4000 px/m (101.6 px/in)", DescribeScale({4000, ScaleSource::System}));
    EXPECT_EQ(L"Assumed (96 pixels per inch): 3780 px/m (96.0 px/in)", DescribeScale({}));
}
