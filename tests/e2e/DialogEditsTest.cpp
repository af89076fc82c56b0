// What a user types into the Settings and Copy Setting dialogs survives tab switches and
// refused OKs, and every dialog can be confirmed whatever was stored before it opened.
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area, S = 40: inner 320 x 220

// Typing into a combo box's edit field over what it holds; the combo box reports each key.
void Type(HWND dialog, int id, const wchar_t* text)
{
    HWND edit = GetWindow(GetDlgItem(dialog, id), GW_CHILD);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* c = text; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
}

// Presses OK on a dialog that must refuse it: the input message comes and is answered.
bool OkIsRefused(const RulerSession& ruler, HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    if (!PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; })) return false;
    const bool says = HasChildText(box, L"An error is in input value.");
    return Answer(box, IDOK) && says && IsWindow(dialog);
}

// Presses OK on a dialog that must take it: it closes and no message box comes.
bool OkIsTaken(const RulerSession& ruler, HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    PumpUntil([&] { return !IsWindow(dialog) || (box = ruler.FindMessageBox()) != nullptr; }, 5000);
    if (box) Answer(box, IDOK);
    ruler.Sync();
    return !box && !IsWindow(dialog);
}

class DialogEdits : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(DialogEdits, SettingsKeepTheTypedWidthAcrossTabsAndARefusedOk)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "Option", 0x01E); // Individual, not topmost
    reg.SetDword(kSection, "Flags", 0x131);  // left and right bars: two tabs
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenDialog(ruler, ID_SETTINGS, L"Settings");
    ASSERT_NE(nullptr, dialog);
    HWND tabs = GetDlgItem(dialog, IDC_BAR_TABS);
    Type(dialog, IDC_WIDTH, L"800");

    // The "Right" tab, chosen with the keyboard on the focused tabs.
    const RECT tabRect = WindowRectOf(tabs);
    UserInput::Click(tabRect.left + 12, tabRect.top + 8);
    UserInput::Key(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1; }));
    ruler.Sync();
    EXPECT_EQ(L"800", TextOf(dialog, IDC_WIDTH)) << "a tab switch keeps the width";

    // Only the bad pitch goes back; the focus waits in its box.
    Type(dialog, IDC_PITCH_M, L"0");
    ASSERT_TRUE(OkIsRefused(ruler, dialog));
    ruler.Sync();
    EXPECT_EQ(L"50", TextOf(dialog, IDC_PITCH_M));
    EXPECT_EQ(L"800", TextOf(dialog, IDC_WIDTH)) << "a refused OK keeps the width";
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);
    EXPECT_EQ(GetDlgItem(dialog, IDC_PITCH_M), GetParent(gui.hwndFocus)) << "the box to fix has the focus";

    ASSERT_TRUE(OkIsTaken(ruler, dialog));
    const RECT r = WindowRectOf(ruler.Window());
    EXPECT_EQ(880, r.right - r.left);
}

TEST_F(DialogEdits, SettingsWithABadStoredPitchUnderHiddenBarsCanBeConfirmed)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "Option", 0x00E); // not topmost
    reg.SetDword(kSection, "Flags", 0x101);  // no bar shown
    for (const char* bar : {"ScaleBar1", "ScaleBar2", "ScaleBar3", "ScaleBar4"}) reg.SetDword(bar, "ScaleS", 0);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());

    HWND dialog = OpenDialog(ruler, ID_SETTINGS, L"Settings");
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PITCH_S)));
    EXPECT_TRUE(OkIsTaken(ruler, dialog)) << "nothing on the disabled page can be fixed, so nothing is refused";

    dialog = OpenDialog(ruler, ID_SETTINGS, L"Settings");
    ASSERT_NE(nullptr, dialog);
    SendMessageW(GetDlgItem(dialog, IDC_TOP_BAR), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PITCH_S))) << "a ticked bar brings the page back";
    EXPECT_EQ(L"0", TextOf(dialog, IDC_PITCH_S));
    ASSERT_TRUE(OkIsRefused(ruler, dialog));
    Type(dialog, IDC_PITCH_S, L"4");
    ASSERT_TRUE(OkIsTaken(ruler, dialog));
    EXPECT_EQ(4u, reg.Dword("ScaleBar1", "ScaleS").value_or(0));
    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(0x181u, reg.Dword(kSection, "Flags").value_or(0)) << "the top bar is shown";
}

TEST_F(DialogEdits, CopySettingDropsABadOffsetOnceItsFieldIsDisabled)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "Option", 0x00E | 0x100); // Include Cursor, not topmost
    reg.SetDword(kSection, "CopyOffsetX", 7);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenDialog(ruler, ID_COPY_SETTING, L"Copy Setting");
    ASSERT_NE(nullptr, dialog);
    const HWND x = GetDlgItem(dialog, IDC_OFFSET_X), y = GetDlgItem(dialog, IDC_OFFSET_Y);
    SendMessageW(x, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
    SendMessageW(y, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"-3"));

    // Cleared with a real click: no message, the field shows the offset it keeps.
    const RECT box = WindowRectOf(GetDlgItem(dialog, IDC_INCLUDE_CURSOR));
    UserInput::Click((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(x); }));
    ruler.Sync();
    EXPECT_EQ(nullptr, ruler.FindMessageBox());
    EXPECT_EQ(L"7", TextOf(x));
    EXPECT_EQ(L"-3", TextOf(y)) << "a good offset stays as typed";
    ASSERT_TRUE(OkIsTaken(ruler, dialog));

    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(0x00Eu, reg.Dword(kSection, "Option").value_or(0));
    EXPECT_EQ(7u, reg.Dword(kSection, "CopyOffsetX").value_or(0));
    EXPECT_EQ(static_cast<uint32_t>(-3), reg.Dword(kSection, "CopyOffsetY").value_or(0));
}
