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

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kBase[] = "SOFTWARE\\Veltrin's Applications\\MensuroCalibrateTest";
constexpr DWORD kGiveUpMs = 10000;

bool IsDialogWindow(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770" && IsWindowVisible(window);
}

std::vector<HWND> DialogWindowsOfThisThread()
{
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) {
            if (IsDialogWindow(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND Calibrate()
{
    for (HWND window : DialogWindowsOfThisThread())
        if (GetDlgItem(window, IDC_CALIBRATE_LENGTH)) return window;
    return nullptr;
}

// The message box the dialog shows over itself, or null.
HWND MessageBoxOver(HWND dialog)
{
    for (HWND window : DialogWindowsOfThisThread())
        if (window != dialog && GetWindow(window, GW_OWNER) == dialog) return window;
    return nullptr;
}

std::wstring AllTextIn(HWND window)
{
    std::wstring text;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM all) {
            wchar_t part[512] = {};
            GetWindowTextW(child, part, 512);
            *reinterpret_cast<std::wstring*>(all) += part;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

// Steps run one per tick of a thread timer while the dialog's own loop (or a message box's)
// runs; a step that returns false is tried again on the next tick. Clicks are posted, so no
// step waits inside a loop that the next tick would run in.
class Script {
public:
    using Step = std::function<bool()>;

    INT_PTR Run(CModalDialog& dialog, std::vector<Step> steps)
    {
        m_steps = std::move(steps);
        s_current = this;
        m_start = GetTickCount();
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &Script::Tick);
        const INT_PTR result = dialog.DoModal();
        KillTimer(nullptr, timer);
        s_current = nullptr;
        return result;
    }
    bool Finished() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Script* self = s_current;
        if (!self || self->m_busy) return;
        self->m_busy = true;
        if (self->m_next < self->m_steps.size() && self->m_steps[self->m_next]()) ++self->m_next;
        if (GetTickCount() - self->m_start > kGiveUpMs) {
            // A step that never comes true must not hold the whole run.
            for (HWND window : DialogWindowsOfThisThread()) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        }
        self->m_busy = false;
    }

    static inline Script* s_current = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_start = 0;
    bool m_busy = false;
};

Script::Step Type(const wchar_t* text, int unitIndex = 0)
{
    return [text, unitIndex] {
        HWND dialog = Calibrate();
        if (!dialog || MessageBoxOver(dialog)) return false;
        SetDlgItemTextW(dialog, IDC_CALIBRATE_LENGTH, text);
        SendDlgItemMessageW(dialog, IDC_CALIBRATE_UNIT, CB_SETCURSEL, static_cast<WPARAM>(unitIndex), 0);
        return true;
    };
}

Script::Step Click(int id)
{
    return [id] {
        HWND dialog = Calibrate();
        if (!dialog) return false;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        return true;
    };
}

// Waits for the message box, checks that it says `message`, and closes it.
Script::Step Says(UINT message)
{
    return [message] {
        HWND box = MessageBoxOver(Calibrate());
        if (!box) return false;
        const std::wstring expected = LoadResourceString(message);
        EXPECT_FALSE(expected.empty());
        EXPECT_NE(std::wstring::npos, AllTextIn(box).find(expected)) << message;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
}

} // namespace

TEST(CalibrateDialog, BadLengthsAreExplainedAndAGoodOneGivesTheScale)
{
    CCalibrateDlg dialog(nullptr, L"\\\\.\\DISPLAY1", L"The monitor's EDID: 3780 px/m (96.0 px/in)", 378);
    Script script;
    std::vector<Script::Step> steps = {[] {
        HWND d = Calibrate();
        if (!d) return false;
        EXPECT_EQ(L"\\\\.\\DISPLAY1", ItemText(d, IDC_CALIBRATE_MONITOR));
        EXPECT_EQ(L"The monitor's EDID: 3780 px/m (96.0 px/in)", ItemText(d, IDC_CALIBRATE_SCALE));
        EXPECT_EQ(L"378 px", ItemText(d, IDC_CALIBRATE_WIDTH));
        EXPECT_EQ(3, SendDlgItemMessageW(d, IDC_CALIBRATE_UNIT, CB_GETCOUNT, 0, 0));
        EXPECT_NE(std::wstring::npos, AllTextIn(d).find(L"85.60 mm")) << "the card's width";
        return true;
    }};
    const std::pair<const wchar_t*, UINT> bad[] = {{L"", IDS_CALIBRATE_EMPTY},
                                                   {L"abc", IDS_CALIBRATE_NOT_NUMBER},
                                                   {L"0", IDS_CALIBRATE_NOT_POSITIVE},
                                                   {L"-10", IDS_CALIBRATE_NOT_POSITIVE},
                                                   {L"0.001", IDS_CALIBRATE_OUT_OF_RANGE}};
    for (const auto& [text, message] : bad) steps.insert(steps.end(), {Type(text), Click(IDOK), Says(message)});
    steps.insert(steps.end(), {Type(L"10", 1), Click(IDOK)}); // cm
    const INT_PTR result = script.Run(dialog, steps);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(3780, dialog.PixelsPerMetre()) << "10 cm over 378 px";
}

TEST(CalibrateDialog, ResetEndsWithItsOwnResult)
{
    CCalibrateDlg dialog(nullptr, L"\\\\.\\DISPLAY2", L"", 100);
    Script script;
    EXPECT_EQ(IDC_CALIBRATE_RESET, script.Run(dialog, {Type(L"12"), Click(IDC_CALIBRATE_RESET)}));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(0, dialog.PixelsPerMetre());
}

TEST(CalibrateDialog, BothLanguagesHoldEveryControlAndTheStringsSplitIntoTheirParts)
{
    HMODULE module = GetModuleHandleW(nullptr);
    for (WORD language : {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)}) {
        SCOPED_TRACE(language);
        HRSRC found = FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(IDD_CALIBRATE), language);
        ASSERT_NE(nullptr, found);
        HWND dialog = CreateDialogIndirectParamW(
            module, static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found))), nullptr,
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ASSERT_NE(nullptr, dialog);
        for (int id = IDC_CALIBRATE_MONITOR; id <= IDC_CALIBRATE_RESET; ++id)
            EXPECT_NE(nullptr, GetDlgItem(dialog, id)) << id;
        DestroyWindow(dialog);
    }
    // Four sources, one a line; six words, tab-separated: in English, which these tests run in.
    const std::wstring sources = LoadResourceString(IDS_SCALE_SOURCES);
    EXPECT_EQ(3, std::count(sources.begin(), sources.end(), L'\n'));
    const std::wstring words = LoadResourceString(IDS_MEASUREMENT_LABELS);
    EXPECT_EQ(5, std::count(words.begin(), words.end(), L'\t'));
    EXPECT_EQ(L"The size Windows reports: 4000 px/m (101.6 px/in)", DescribeScale({4000, ScaleSource::System}));
    EXPECT_EQ(L"Assumed (96 pixels per inch): 3780 px/m (96.0 px/in)", DescribeScale({}));
}

TEST(MonitorScale, ThisSystemsMonitorHasAScaleAndItsCalibrationComesFirst)
{
    RegistryScope scope(kBase);
    scope.Clear();
    RegistryProfile profile(kBase, HKEY_CURRENT_USER);
    const HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const std::wstring name = MonitorDeviceName(monitor);
    ASSERT_FALSE(name.empty());

    const ScaleEvidence evidence = GatherScaleEvidence(monitor, profile);
    EXPECT_GT(evidence.widthPx, 0);
    EXPECT_EQ(0, evidence.calibration);
    const ScreenScale found = MonitorScreenScale(monitor, profile);
    EXPECT_NE(ScaleSource::Calibration, found.source);
    EXPECT_TRUE(IsPixelsPerMetre(found.pixelsPerMetre));
    EXPECT_TRUE(ReadMonitorEdid(L"\\\\.\\NO_SUCH_DISPLAY").empty());

    ASSERT_TRUE(WriteCalibration(profile, name, 5000));
    EXPECT_EQ(5000u, scope.Dword("Calibration", std::string(name.begin(), name.end()).c_str()).value_or(0));
    const ScreenScale calibrated = MonitorScreenScale(monitor, profile);
    EXPECT_EQ(ScaleSource::Calibration, calibrated.source);
    EXPECT_EQ(5000, calibrated.pixelsPerMetre);
    ASSERT_TRUE(ForgetCalibration(profile, name));
    EXPECT_EQ(found.source, MonitorScreenScale(monitor, profile).source);
    scope.Clear();
}
