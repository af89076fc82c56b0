// The global keys' registrations, and the Keys dialog's template and rows.
#include "resources/resource.h"
#include "shell/GlobalKeys.h"
#include "shell/KeysDlg.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

// Keys no one else in the test's Wine session has: Ctrl+Alt+Shift+F13 to F17.
HotKeySettings UnusualKeys()
{
    HotKeySettings settings;
    for (int i = 0; i < kHotKeyActionCount; ++i) settings.keys[i] = MakeHotKey(VK_F13 + i, 0x07);
    return settings;
}

// A top-level window to register keys on.
class KeyWindow {
public:
    KeyWindow() : m_hwnd(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~KeyWindow() { DestroyWindow(m_hwnd); }
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

constexpr int kTakenMarks[] = {IDC_TAKEN_RULER, IDC_TAKEN_LOUPE, IDC_TAKEN_EDGES, IDC_TAKEN_COPY, IDC_TAKEN_MEASURE};

bool HasStyle(HWND window, LONG style)
{
    return (GetWindowLongW(window, GWL_STYLE) & style) != 0;
}

} // namespace

TEST(GlobalKeys, AKeyHeldElsewhereIsTakenUntilItsOwnerGoes)
{
    KeyWindow first, second;
    CGlobalKeys later;
    later.Apply(UnusualKeys());
    {
        CGlobalKeys holder;
        holder.Apply(UnusualKeys());
        ASSERT_EQ(0u, holder.Register(first.get()));
        EXPECT_EQ(HotKeyAction::Copy, holder.ActionOf(kHotKeyIdFirst + 3));
        EXPECT_EQ(HotKeyAction::Measure, holder.ActionOf(kHotKeyIdFirst + 4));
        EXPECT_FALSE(holder.ActionOf(kHotKeyIdFirst + kHotKeyActionCount));

        EXPECT_EQ(0x1Fu, later.Register(second.get())) << "the same keys a second time";
        EXPECT_EQ(0x1Fu, later.TakenMask());
        EXPECT_FALSE(later.ActionOf(kHotKeyIdFirst)) << "a taken key is no key of this window";
    }
    EXPECT_EQ(0u, later.Register(second.get())) << "the first owner let them go";
    EXPECT_EQ(HotKeyAction::RulerToPointer, later.ActionOf(kHotKeyIdFirst));

    HotKeySettings fewer = UnusualKeys();
    fewer[HotKeyAction::Loupe] = 0;
    CGlobalKeys none;
    none.Apply(fewer);
    EXPECT_EQ(ActionBit(HotKeyAction::RulerToPointer) | ActionBit(HotKeyAction::LinesAtEdges) |
                  ActionBit(HotKeyAction::Copy) | ActionBit(HotKeyAction::Measure),
              none.Register(first.get()))
        << "an empty key is never taken";
}

TEST(KeysDlg, BothTemplatesHoldEveryRow)
{
    const struct {
        WORD language, sublanguage;
    } templates[] = {{LANG_ENGLISH, SUBLANG_ENGLISH_US}, {LANG_JAPANESE, SUBLANG_DEFAULT}};
    for (const auto& t : templates) {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC found =
            FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(IDD_KEYS), MAKELANGID(t.language, t.sublanguage));
        ASSERT_NE(nullptr, found) << t.language;
        HWND dialog = CreateDialogIndirectParamW(
            module, static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found))), nullptr,
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ASSERT_NE(nullptr, dialog) << t.language;
        for (int id : {IDC_KEY_RULER, IDC_KEY_LOUPE, IDC_KEY_EDGES, IDC_KEY_COPY, IDC_KEY_MEASURE}) {
            wchar_t name[64] = {};
            GetClassNameW(GetDlgItem(dialog, id), name, 64);
            EXPECT_STREQ(HOTKEY_CLASSW, name) << t.language << " " << id;
        }
        for (int id = IDC_WIN_RULER; id <= IDC_TAKEN_MEASURE; ++id) EXPECT_NE(nullptr, GetDlgItem(dialog, id)) << id;
        for (int id : kTakenMarks)
            EXPECT_FALSE(HasStyle(GetDlgItem(dialog, id), WS_VISIBLE)) << "marks start hidden " << id;
        DestroyWindow(dialog);
    }
}

TEST(KeysDlg, RowsShowTheKeysAndReadBackWhatTheUserChose)
{
    HotKeySettings settings;
    settings[HotKeyAction::Loupe] = 0;
    CKeysDlg dialog(nullptr, settings, ActionBit(HotKeyAction::LinesAtEdges) | ActionBit(HotKeyAction::Copy));
    HWND hwnd = dialog.Create();
    ASSERT_NE(nullptr, hwnd);
    HWND rulerKey = GetDlgItem(hwnd, IDC_KEY_RULER);
    EXPECT_EQ(MAKEWORD('M', HOTKEYF_ALT), SendMessageW(rulerKey, HKM_GETHOTKEY, 0, 0));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hwnd, IDC_WIN_RULER));
    EXPECT_EQ(0, SendMessageW(GetDlgItem(hwnd, IDC_KEY_LOUPE), HKM_GETHOTKEY, 0, 0));
    EXPECT_FALSE(HasStyle(GetDlgItem(hwnd, IDC_TAKEN_RULER), WS_VISIBLE));
    EXPECT_TRUE(HasStyle(GetDlgItem(hwnd, IDC_TAKEN_EDGES), WS_VISIBLE));
    EXPECT_TRUE(HasStyle(GetDlgItem(hwnd, IDC_TAKEN_COPY), WS_VISIBLE));

    // F9 typed into the Copy row, the Win box of the first row cleared.
    HWND copyKey = GetDlgItem(hwnd, IDC_KEY_COPY);
    SendMessageW(copyKey, WM_KEYDOWN, VK_F9, 0x00430001);
    SendMessageW(copyKey, WM_KEYUP, VK_F9, 0xC0430001);
    SendMessageW(GetDlgItem(hwnd, IDC_WIN_RULER), BM_CLICK, 0, 0);
    // Q typed alone into the empty row without Win: the control's rules give it Ctrl+Alt.
    HWND loupeKey = GetDlgItem(hwnd, IDC_KEY_LOUPE);
    SendMessageW(loupeKey, WM_KEYDOWN, 'Q', 0x00100001);
    SendMessageW(loupeKey, WM_KEYUP, 'Q', 0xC0100001);
    EXPECT_FALSE(HasStyle(GetDlgItem(hwnd, IDC_TAKEN_COPY), WS_VISIBLE)) << "a changed key loses its mark";
    EXPECT_TRUE(HasStyle(GetDlgItem(hwnd, IDC_TAKEN_EDGES), WS_VISIBLE));

    SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(MakeHotKey('M', HOTKEYF_ALT), dialog.Settings()[HotKeyAction::RulerToPointer]);
    EXPECT_EQ(MakeHotKey('Q', HOTKEYF_CONTROL | HOTKEYF_ALT), dialog.Settings()[HotKeyAction::Loupe]);
    EXPECT_EQ(settings[HotKeyAction::LinesAtEdges], dialog.Settings()[HotKeyAction::LinesAtEdges]);
    EXPECT_EQ(MakeHotKey(VK_F9, HotKeyFlag::Win), dialog.Settings()[HotKeyAction::Copy])
        << "the control's modifiers are gone, the Win box is kept";
    DestroyWindow(hwnd);
}

TEST(KeysDlg, DefaultFillsTheControlsAndClearsTheMarks)
{
    HotKeySettings settings = UnusualKeys();
    CKeysDlg dialog(nullptr, settings, 0x1F);
    HWND hwnd = dialog.Create();
    ASSERT_NE(nullptr, hwnd);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_KEYS_DEFAULT, BN_CLICKED), 0);
    EXPECT_EQ(settings, dialog.Settings()) << "nothing taken before OK";
    for (int id : kTakenMarks) EXPECT_FALSE(HasStyle(GetDlgItem(hwnd, id), WS_VISIBLE));
    SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(HotKeySettings(), dialog.Settings());
    DestroyWindow(hwnd);
}
