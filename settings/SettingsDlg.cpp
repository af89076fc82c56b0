#include "settings/SettingsDlg.h"

#include "framework/DataExchange.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <utility>

namespace {

// The page's controls: enabled only while some bar has a tab.
constexpr int kPageControls[] = {IDC_COLOR_S,    IDC_COLOR_M, IDC_COLOR_L, IDC_COLOR_TEXT,
                                 IDC_COLOR_BACK, IDC_PITCH_S, IDC_PITCH_M, IDC_PITCH_L};

void FillComboBox(HWND box, const std::vector<int32_t>& values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        const std::wstring text = std::to_wstring(values[i]);
        SendMessageW(box, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

} // namespace

const CommandEntry<CSettingsDlg> CSettingsDlg::s_commands[] = {
    {IDC_INDIVIDUAL, &CSettingsDlg::OnClickDisplayBox, BN_CLICKED},
    {IDC_TOP_BAR, &CSettingsDlg::OnClickDisplayBox, BN_CLICKED},
    {IDC_BOTTOM_BAR, &CSettingsDlg::OnClickDisplayBox, BN_CLICKED},
    {IDC_LEFT_BAR, &CSettingsDlg::OnClickDisplayBox, BN_CLICKED},
    {IDC_RIGHT_BAR, &CSettingsDlg::OnClickDisplayBox, BN_CLICKED},
    // What the page colour buttons send after every change.
    {IDC_UPDATE, &CSettingsDlg::OnColorChanged, 0},
    {IDC_PITCH_S, &CSettingsDlg::OnEditPitch, CBN_EDITCHANGE},
    {IDC_PITCH_M, &CSettingsDlg::OnEditPitch, CBN_EDITCHANGE},
    {IDC_PITCH_L, &CSettingsDlg::OnEditPitch, CBN_EDITCHANGE},
    {IDC_PITCH_S, &CSettingsDlg::OnSelectPitchS, CBN_SELCHANGE},
    {IDC_PITCH_M, &CSettingsDlg::OnSelectPitchM, CBN_SELCHANGE},
    {IDC_PITCH_L, &CSettingsDlg::OnSelectPitchL, CBN_SELCHANGE},
};

const NotifyEntry<CSettingsDlg> CSettingsDlg::s_notifies[] = {
    {IDC_BAR_TABS, TCN_SELCHANGE, &CSettingsDlg::OnTabSelChange},
};

CSettingsDlg::CSettingsDlg(HWND parent) : CModalDialog(IDD_SETTINGS, parent) {}

void CSettingsDlg::SetScaleSize(int32_t value)
{
    m_scaleSizeIndex = ListIndexOf(m_scaleSizes, value);
}

void CSettingsDlg::SetLineSize(int32_t value)
{
    m_lineSizeIndex = ListIndexOf(m_lineSizes, value);
}

int32_t CSettingsDlg::ScaleSizeOr(int32_t current) const
{
    return ListValueAt(m_scaleSizes, m_scaleSizeIndex, current);
}

int32_t CSettingsDlg::LineSizeOr(int32_t current) const
{
    return ListValueAt(m_lineSizes, m_lineSizeIndex, current);
}

bool CSettingsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (CColorButton::ReflectToChild(message, wParam, lParam, result)) return true;
    if (message == WM_COMMAND && DispatchCommandTable(this, s_commands, wParam)) {
        result = 0;
        return true;
    }
    if (message == WM_NOTIFY && DispatchNotifyTable(this, s_notifies, lParam, result)) return true;
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

bool CSettingsDlg::Exchange(DataExchange& dx)
{
    dx.ListIndex(IDC_LINE_SIZE, m_lineSizeIndex);
    dx.ListIndex(IDC_SCALE_SIZE, m_scaleSizeIndex);
    dx.Check(IDC_BOTTOM_BAR, m_choices.bottom);
    dx.Check(IDC_LEFT_BAR, m_choices.left);
    dx.Check(IDC_RIGHT_BAR, m_choices.right);
    dx.Check(IDC_TOP_BAR, m_choices.top);
    dx.Radio(IDC_UNIT_PIXEL, IDC_UNIT_MM, m_unit);
    dx.Text(IDC_PITCH_L, m_scaleL);
    dx.Text(IDC_PITCH_M, m_scaleM);
    dx.Text(IDC_PITCH_S, m_scaleS);
    dx.Check(IDC_INDIVIDUAL, m_choices.individual);
    dx.Text(IDC_WIDTH, m_width);
    dx.Text(IDC_HEIGHT, m_height);
    dx.Check(IDC_TOOLTIP, m_choices.tooltip);
    return true;
}

void CSettingsDlg::ShowMembers()
{
    // Setting a box's text can come back as an edit notification; it must not store
    // a page that is only half shown.
    const bool outer = m_showingMembers;
    m_showingMembers = true;
    UpdateData(false);
    m_showingMembers = outer;
}

// ---------------------------------------------------------------------------
// Initialisation

BOOL CSettingsDlg::OnInitDialog()
{
    m_showingMembers = true;
    AttachColorButtons();
    m_tabs = GetDlgItem(m_hWnd, IDC_BAR_TABS);
    CModalDialog::OnInitDialog();

    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MENSURO), IMAGE_ICON, 16, 16, LR_SHARED));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    FillLists();
    for (CColorButton* button : {&m_colorS, &m_colorM, &m_colorL, &m_colorText, &m_colorBack}) {
        button->m_notifyWnd = m_hWnd;
        button->m_notifyMsg = WM_COMMAND;
        button->m_notifyWParam = IDC_UPDATE;
        button->m_notifyLParam = 0;
    }
    if (m_unit == 0) FillPitchLists();
    m_showingMembers = false;
    RebuildTabs();
    ShowMembers();
    return TRUE;
}

void CSettingsDlg::AttachColorButtons()
{
    const struct {
        int id;
        CColorButton* button;
    } buttons[] = {
        {IDC_LINE_COLOR, &m_lineColor}, {IDC_LINE_TEXT_COLOR, &m_lineTextColor},
        {IDC_COLOR_S, &m_colorS},       {IDC_COLOR_M, &m_colorM},
        {IDC_COLOR_L, &m_colorL},       {IDC_COLOR_TEXT, &m_colorText},
        {IDC_COLOR_BACK, &m_colorBack},
    };
    for (const auto& b : buttons) b.button->SubclassWindow(GetDlgItem(m_hWnd, b.id));
}

void CSettingsDlg::FillLists()
{
    const std::vector<int32_t> sizes = InnerSizeList();
    for (int id : {IDC_WIDTH, IDC_HEIGHT}) {
        HWND box = GetDlgItem(m_hWnd, id);
        for (int32_t size : sizes) {
            const std::wstring text = std::to_wstring(size);
            SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    FillComboBox(GetDlgItem(m_hWnd, IDC_SCALE_SIZE), m_scaleSizes);
    FillComboBox(GetDlgItem(m_hWnd, IDC_LINE_SIZE), m_lineSizes);
}

void CSettingsDlg::FillPitchLists()
{
    const struct {
        int id;
        std::vector<int32_t> values;
        const std::wstring& text;
    } boxes[] = {
        {IDC_PITCH_S, SmallPitchList(), m_scaleS},
        {IDC_PITCH_M, MiddlePitchList(), m_scaleM},
        {IDC_PITCH_L, BigPitchList(), m_scaleL},
    };
    for (const auto& b : boxes) {
        HWND box = GetDlgItem(m_hWnd, b.id);
        SendMessageW(box, CB_RESETCONTENT, 0, 0);
        FillComboBox(box, b.values);
        SetWindowTextW(box, b.text.c_str());
    }
}

// ---------------------------------------------------------------------------
// Tabs and the page

int CSettingsDlg::CurrentPageBar() const
{
    return PageBar(m_tabBars, m_tabs ? TabCtrl_GetCurSel(m_tabs) : -1);
}

void CSettingsDlg::RebuildTabs()
{
    const bool individual = m_choices.individual != 0;
    ShowWindow(m_tabs, individual ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_TAB_FRAME), individual ? SW_HIDE : SW_SHOW);

    TabCtrl_DeleteAllItems(m_tabs);
    m_tabBars = TabBars(m_choices.top != 0, m_choices.bottom != 0, m_choices.left != 0, m_choices.right != 0);
    for (size_t i = 0; i < m_tabBars.size(); ++i) {
        std::wstring caption = LoadResourceString(IDS_BAR_TOP + static_cast<UINT>(m_tabBars[i]));
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = &caption[0];
        TabCtrl_InsertItem(m_tabs, static_cast<int>(i), &item);
    }
    if (!m_tabBars.empty() && TabCtrl_GetCurSel(m_tabs) < 0) TabCtrl_SetCurSel(m_tabs, 0);

    for (int id : kPageControls) EnableWindow(GetDlgItem(m_hWnd, id), m_tabBars.empty() ? FALSE : TRUE);
    LoadPage();
}

void CSettingsDlg::LoadPage()
{
    const BarValues& page = m_bars[static_cast<size_t>(CurrentPageBar())];
    m_colorS.SetColor(page.ColorS);
    m_colorL.SetColor(page.ColorL);
    m_colorM.SetColor(page.ColorM);
    m_colorText.SetColor(page.Text);
    m_colorBack.SetColor(page.Back);
    m_scaleS = std::to_wstring(page.ScaleS);
    m_scaleM = std::to_wstring(page.ScaleM);
    m_scaleL = std::to_wstring(page.ScaleL);
    // Only the page's own boxes: the others hold what the user typed, read back
    // into the members only when something is stored.
    const bool outer = m_showingMembers;
    m_showingMembers = true;
    for (const auto& [id, text] : PitchBoxes()) SetDlgItemTextW(m_hWnd, id, text->c_str());
    m_showingMembers = outer;
}

std::array<std::pair<int, const std::wstring*>, 3> CSettingsDlg::PitchBoxes() const
{
    return {{{IDC_PITCH_S, &m_scaleS}, {IDC_PITCH_M, &m_scaleM}, {IDC_PITCH_L, &m_scaleL}}};
}

int CSettingsDlg::InvalidPitchBox() const
{
    for (const auto& [id, text] : PitchBoxes())
        if (ParseLeadingInt(*text) <= 0) return id;
    return 0;
}

bool CSettingsDlg::StorePage()
{
    UpdateData(true);
    BarValues page;
    if (!ParsePitches(m_scaleS, m_scaleM, m_scaleL, page)) return false;
    page.ColorS = m_colorS.GetColor();
    page.ColorM = m_colorM.GetColor();
    page.ColorL = m_colorL.GetColor();
    page.Text = m_colorText.GetColor();
    page.Back = m_colorBack.GetColor();
    StorePageValues(m_bars, page, m_choices.individual != 0, CurrentPageBar());
    return true;
}

void CSettingsDlg::TakeListChoice(int boxId)
{
    HWND box = GetDlgItem(m_hWnd, boxId);
    const LRESULT index = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (index < 0) return;
    const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    // While the list is being chosen from, the edit part may still hold the old text.
    const bool outer = m_showingMembers;
    m_showingMembers = true;
    SetWindowTextW(box, text.c_str());
    m_showingMembers = outer;
    StorePage();
}

// ---------------------------------------------------------------------------
// Notifications

void CSettingsDlg::OnClickDisplayBox()
{
    UpdateData(true);
    // A typed pitch that is not valid stays on its page; a disabled page (no bar
    // shown) has nothing typed, and the boxes must bring it back to be corrected.
    if (!m_tabBars.empty() && InvalidPitchBox() != 0) return;
    RebuildTabs();
}

void CSettingsDlg::OnColorChanged()
{
    if (!m_showingMembers) StorePage();
}

void CSettingsDlg::OnEditPitch()
{
    if (!m_showingMembers) StorePage();
}

void CSettingsDlg::OnSelectPitchS()
{
    if (!m_showingMembers) TakeListChoice(IDC_PITCH_S);
}

void CSettingsDlg::OnSelectPitchM()
{
    if (!m_showingMembers) TakeListChoice(IDC_PITCH_M);
}

void CSettingsDlg::OnSelectPitchL()
{
    if (!m_showingMembers) TakeListChoice(IDC_PITCH_L);
}

LRESULT CSettingsDlg::OnTabSelChange(NMHDR*)
{
    LoadPage();
    return 0;
}

void CSettingsDlg::OnOK()
{
    // Without a shown bar the page is disabled: what it holds cannot be corrected
    // and is kept as it was.
    if (!m_tabBars.empty() && !StorePage()) {
        const int box = InvalidPitchBox();
        StringMessageBox(m_hWnd, IDS_INPUT_ERROR, MB_OK | MB_ICONEXCLAMATION);
        // The page goes back to the values last stored for its bar, and the box
        // that was wrong takes the focus with its text selected, to be typed over.
        LoadPage();
        SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, box)), TRUE);
        return;
    }
    UpdateData(true);
    EndDialog(IDOK);
}
