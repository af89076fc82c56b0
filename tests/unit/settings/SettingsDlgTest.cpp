// The Settings dialog in this process: the page, the tabs, stores and OK.
#include "resources/resource.h"
#include "settings/SettingsDlg.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

BarValues Bar(int32_t small, uint32_t back)
{
    BarValues v;
    v.ScaleS = small;
    v.ScaleM = 50;
    v.ScaleL = 100;
    v.Back = back;
    return v;
}

// A dialog created and shown without its modal loop, so the test can drive it.
class OpenSettings {
public:
    explicit OpenSettings(CSettingsDlg& dialog) : m_hwnd(dialog.Create()) { ShowWindow(m_hwnd, SW_SHOWNA); }
    ~OpenSettings()
    {
        if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    }
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    std::wstring Text(int id) const
    {
        wchar_t text[64] = {};
        GetWindowTextW(Item(id), text, 64);
        return text;
    }
    // Typing into a pitch box over what it holds; the combo box reports each key.
    void Type(int id, const wchar_t* text) const
    {
        HWND edit = GetWindow(Item(id), GW_CHILD);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (const wchar_t* c = text; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
    }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    int TabCount() const { return TabCtrl_GetItemCount(Item(IDC_BAR_TABS)); }
    std::wstring TabText(int index) const
    {
        wchar_t text[32] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        TabCtrl_GetItem(Item(IDC_BAR_TABS), index, &item);
        return text;
    }
    void SelectTab(int index) const
    {
        TabCtrl_SetCurSel(Item(IDC_BAR_TABS), index);
        NMHDR header = {Item(IDC_BAR_TABS), IDC_BAR_TABS, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(m_hwnd, WM_NOTIFY, IDC_BAR_TABS, reinterpret_cast<LPARAM>(&header));
    }
    // Choosing an entry from a pitch box's list, without typing.
    void Choose(int id, int index) const
    {
        SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
    }
    void PressOk() const { SendMessageW(m_hwnd, WM_COMMAND, IDOK, 0); }

private:
    HWND m_hwnd;
};

} // namespace

TEST(SettingsDialog, EachTabEditsOnlyItsBarUntilIndividualIsTurnedOff)
{
    CSettingsDlg dialog(nullptr);
    dialog.m_bars = {Bar(1, 0), Bar(2, 0), Bar(3, 0), Bar(4, 0)};
    dialog.m_choices = {0, 1, 0, 0, 1, 1};
    OpenSettings open(dialog);
    ASSERT_EQ(2, open.TabCount());
    EXPECT_EQ(L"Left", open.TabText(0));
    EXPECT_EQ(L"Right", open.TabText(1));
    EXPECT_EQ(L"3", open.Text(IDC_PITCH_S));

    open.Type(IDC_PITCH_S, L"9");
    EXPECT_EQ(9, dialog.m_bars[LeftBar].ScaleS);
    SendMessageW(dialog.m_colorBack.GetSafeHwnd(), WM_COMMAND, ID_COLOR_CELL_FIRST + 13, 0); // red
    EXPECT_EQ(RGB(255, 0, 0), dialog.m_bars[LeftBar].Back);
    EXPECT_EQ(4, dialog.m_bars[RightBar].ScaleS);
    EXPECT_EQ(0u, dialog.m_bars[RightBar].Back);

    open.SelectTab(1);
    EXPECT_EQ(L"4", open.Text(IDC_PITCH_S));
    open.Choose(IDC_PITCH_L, 0);
    open.SelectTab(0);
    EXPECT_EQ(L"9", open.Text(IDC_PITCH_S));
    EXPECT_EQ(20, dialog.m_bars[RightBar].ScaleL) << "a choice from the list survives switching tabs";
    EXPECT_EQ(100, dialog.m_bars[LeftBar].ScaleL);
    EXPECT_EQ(1, dialog.m_bars[TopBar].ScaleS);

    // A bar box clicked while a pitch is not above 0 changes only the box.
    open.Type(IDC_PITCH_M, L"0");
    open.Click(IDC_TOP_BAR);
    EXPECT_EQ(BST_CHECKED, SendMessageW(open.Item(IDC_TOP_BAR), BM_GETCHECK, 0, 0));
    EXPECT_EQ(2, open.TabCount());
    EXPECT_EQ(50, dialog.m_bars[LeftBar].ScaleM) << "not stored";
    open.Type(IDC_PITCH_M, L"50");

    open.Click(IDC_INDIVIDUAL);
    EXPECT_FALSE(IsWindowVisible(open.Item(IDC_BAR_TABS)));
    EXPECT_EQ(3, open.TabCount()) << "the top box counts once the page is valid";
    EXPECT_EQ(L"1", open.Text(IDC_PITCH_S)) << "the page shows the first shown bar, now the top";
    open.Click(IDC_TOP_BAR);
    open.PressOk();
    for (const BarValues& bar : dialog.m_bars) {
        EXPECT_EQ(9, bar.ScaleS) << "the first shown bar's values everywhere";
        EXPECT_EQ(RGB(255, 0, 0), bar.Back);
    }
}

