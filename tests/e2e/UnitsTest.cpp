// Units as a user meets them: chosen in the menu or with U, read on the bars, the tooltips
// and the loupe in the scale of the monitor the ruler is on, calibrated in the Calibrate
// dialog, and copied as a table of text.
#include "e2e/ClipboardProbe.h"
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr int kS = 40;                        // default ScaleSize
constexpr RECT kRuler = {100, 100, 500, 400}; // inner area 320 x 220 from (140, 140)
// A calibration of 5 pixels per millimetre: the bars' 10 mm ticks stand 50 pixels apart.
constexpr uint32_t kFivePerMm = 5000;
constexpr COLORREF kBackdrop = RGB(0, 192, 0);
// The default top bar's tick colours: small, middle, large.
constexpr COLORREF kSmall = RGB(0, 0, 0), kMiddle = RGB(255, 0, 255), kLarge = RGB(255, 0, 0);

POINT At(int x, int y)
{
    return {kRuler.left + x, kRuler.top + y};
}

// The name the ruler's monitor goes by, as GetMonitorInfo gives it ("\\.\DISPLAY1").
std::string MonitorName()
{
    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromPoint(At(200, 150), MONITOR_DEFAULTTONEAREST), &info);
    return info.szDevice;
}

// The top bar's last row at inner-area column x: the colour of the tick there, if any.
COLORREF TickAt(const RulerSession& ruler, int x)
{
    return ClientShot(ruler.Rect()).At(kS + x, kS - 1);
}

bool TicksBecome(const RulerSession& ruler, COLORREF at25, COLORREF at50)
{
    return PumpUntil([&] { return TickAt(ruler, 25) == at25 && TickAt(ruler, 50) == at50; });
}

std::wstring ShownTip(const RulerSession& ruler)
{
    HWND tip = WindowOfProcess(ruler.ProcessId(), L"tooltips_class32");
    return tip ? TextOf(tip) : std::wstring();
}

// Hovers at a client point, approached from `from` (under Wine a move's message can carry the
// place before it), until the tooltip says `text`.
bool TipSays(const RulerSession& ruler, POINT from, POINT to, const std::wstring& text, std::wstring& shown)
{
    UserInput::MoveTo(At(from.x, from.y).x, At(from.x, from.y).y);
    UserInput::MoveTo(At(to.x, to.y).x, At(to.x, to.y).y);
    return PumpUntil([&] { return (shown = ShownTip(ruler)) == text; }, 5000);
}

void KeysDown(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> input;
    for (WORD vk : keys) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = vk;
        input.push_back(down);
    }
    for (auto vk = keys.end(); vk != keys.begin();) {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--vk;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Types into a dialog's edit field over what it holds.
void Type(HWND dialog, int id, const wchar_t* text)
{
    HWND edit = GetDlgItem(dialog, id);
    SendTimed(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* c = text; *c; ++c) SendTimed(edit, WM_CHAR, *c, 1);
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

class Units : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }

    void Calibrate(uint32_t pixelsPerMetre) const
    {
        MensuroRegistry().SetDword("Calibration", MonitorName().c_str(), pixelsPerMetre);
    }
};

} // namespace

TEST_F(Units, TheUnitChosenInTheMenuRedrawsTheBarsAndTheTooltipsAndExitKeepsIt)
{
    Calibrate(kFivePerMm);
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    // Active while the ruler is hovered, and clear of it (see MouseModesTest).
    SolidWindow active({900, 700, 1000, 800}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // Pixels: a small tick at 25, a middle one at 50.
    ASSERT_TRUE(TicksBecome(ruler, kSmall, kMiddle));

    HWND menu = OpenContextMenu(ruler, At(200, 30).x, At(200, 30).y);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_UNIT_MILLIMETRES));
    // 5 px per mm: the 5 mm tick at 25, the 10 mm tick at 50.
    EXPECT_TRUE(TicksBecome(ruler, kMiddle, kLarge)) << Hex(TickAt(ruler, 25)) << " " << Hex(TickAt(ruler, 50));

    SetForegroundWindow(active.Handle());
    std::wstring shown;
    EXPECT_TRUE(TipSays(ruler, {200, 24}, {200, 30}, L"32.0 mm", shown)) << Narrow(shown);
    EXPECT_TRUE(TipSays(ruler, {24, 100}, {30, 100}, L"12.0 mm", shown)) << Narrow(shown);
    EXPECT_TRUE(TipSays(ruler, {12, 10}, {10, 10}, L"64.0 \u00D7 44.0 mm  320 \u00D7 220 px  16:11", shown))
        << "over the move box: " << Narrow(shown);

    // U goes on to the next unit, centimetres, whose ticks stand as the millimetres' do.
    UserInput::Click(At(200, 30).x, At(200, 30).y);
    // The key goes to the active window: the ruler takes it once the click has activated it.
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == ruler.Window(); }));
    UserInput::Key('U');
    EXPECT_TRUE(TipSays(ruler, {200, 24}, {200, 30}, L"3.20 cm", shown)) << Narrow(shown);
    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(3u, MensuroRegistry().Dword(kSection, "Unit").value_or(0));
}

TEST_F(Units, TheLoupeReadsInTheUnitOfTheStoredCalibration)
{
    Calibrate(kFivePerMm);
    MensuroRegistry().SetDword(kSection, "Unit", 2);
    SolidWindow backdrop({50, 50, 700, 600}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::Click(At(200, 20).x, At(200, 20).y); // the ruler takes the keys
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == ruler.Window(); }));
    const POINT inner = At(kS + 160, kS + 120);
    UserInput::MoveTo(inner.x, inner.y);
    UserInput::Key('L');
    HWND loupe = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (loupe = WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe")) != nullptr; }));
    EXPECT_TRUE(PumpUntil([&] { return TextOf(loupe) == L"X 32.0  Y 24.0 mm  #00C000  (0, 192, 0)"; }))
        << Narrow(TextOf(loupe));
    EXPECT_EQ(0u, ruler.Exit());
}

TEST_F(Units, CalibrateStoresTheScaleOfATypedLengthRefusesOtherTextAndResetForgetsIt)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND menu = OpenContextMenu(ruler, At(200, 30).x, At(200, 30).y);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_CALIBRATE));
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = ruler.FindOwnWindow(L"Calibrate")) != nullptr; }));
    const std::string monitor = MonitorName();
    EXPECT_TRUE(PumpUntil([&] { return TextOf(dialog, IDC_CALIBRATE_MONITOR) == std::wstring(monitor.begin(), monitor.end()); }));
    EXPECT_EQ(L"320 px", TextOf(dialog, IDC_CALIBRATE_WIDTH));
    EXPECT_NE(std::wstring::npos, TextOf(dialog, IDC_CALIBRATE_SCALE).find(L" px/m ("));

    Type(dialog, IDC_CALIBRATE_LENGTH, L"6,4 cm?");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; }));
    EXPECT_TRUE(HasChildText(box, L"The length must be a number"));
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays for another try";

    // 64 mm over the inner width of 320 pixels: 5000 pixels per metre, in use at once.
    Type(dialog, IDC_CALIBRATE_LENGTH, L"6,4");
    SendItemTimed(dialog, IDC_CALIBRATE_UNIT, CB_SETCURSEL, 1); // cm
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));
    const RegistryScope reg = MensuroRegistry();
    EXPECT_EQ(kFivePerMm, reg.Dword("Calibration", monitor.c_str()).value_or(0));
    UserInput::Click(At(200, 20).x, At(200, 20).y);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == ruler.Window(); }));
    UserInput::Key('U');
    UserInput::Key('U'); // Logical Pixels, then millimetres
    EXPECT_TRUE(TicksBecome(ruler, kMiddle, kLarge));

    dialog = OpenDialog(ruler, ID_CALIBRATE, L"Calibrate");
    ASSERT_NE(nullptr, dialog);
    EXPECT_NE(std::wstring::npos, TextOf(dialog, IDC_CALIBRATE_SCALE).find(L"5000 px/m (127.0 px/in)"));
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDC_CALIBRATE_RESET));
    EXPECT_EQ(0u, reg.Dword("Calibration", monitor.c_str()).value_or(1));
    EXPECT_TRUE(PumpUntil([&] { return TickAt(ruler, 50) != kLarge; })) << "back to the monitor's own scale";
    EXPECT_EQ(0u, ruler.Exit());
}

TEST_F(Units, CtrlShiftCCopiesTheMeasurementsAsTextAndNotAPicture)
{
    Calibrate(kFivePerMm);
    MensuroRegistry().SetDword(kSection, "Unit", 2);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::Click(At(200, 20).x, At(200, 20).y);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == ruler.Window(); }));
    // A vertical line at 100, added with Insert where the pointer is on the top bar.
    UserInput::MoveTo(At(kS + 100, 30).x, At(kS + 100, 30).y);
    UserInput::Key(VK_INSERT);
    ASSERT_TRUE(WaitForPixel(At(kS + 100, kS + 100).x, At(kS + 100, kS + 100).y, RGB(0, 255, 255)));
    ASSERT_TRUE(PutClipboardText(nullptr, L"before"));
    KeysDown({VK_CONTROL, VK_SHIFT, 'C'});
    const std::wstring table = L"\tValue (mm)\tValue (px)\tGap (mm)\tGap (px)\r\n"
                               L"Width\t64.0\t320\r\n"
                               L"Height\t44.0\t220\r\n"
                               L"X 1\t20.0\t100\t20.0\t100\r\n"
                               L"X End\t64.0\t320\t44.0\t220\r\n";
    EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == table; })) << Narrow(ClipboardText());
    // "Save Picture..." waits for the same delay as Copy: once its dialog shows, a Copy the keys
    // had started would have put its picture on the clipboard.
    PostMessageW(ruler.Window(), WM_COMMAND, ID_SAVE_PICTURE, 0);
    HWND save = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (save = ruler.FindOwnWindow(L"Save Picture")) != nullptr; }, 5000));
    EXPECT_TRUE(CloseDialog(ruler, save, IDCANCEL));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(table, ClipboardText());
    EXPECT_EQ(0u, ruler.Exit());
}
