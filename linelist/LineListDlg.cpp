#include "linelist/LineListDlg.h"

#include "linelist/LineListRules.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>

const CLineListDlg::AxisControls CLineListDlg::s_controls[2] = {
    {IDC_LIST_X, IDC_VALUE_X, IDC_SPIN_X, IDC_ADD_X, IDC_UPDATE_X, IDC_DELETE_X},
    {IDC_LIST_Y, IDC_VALUE_Y, IDC_SPIN_Y, IDC_ADD_Y, IDC_UPDATE_Y, IDC_DELETE_Y},
};

const CommandEntry<CLineListDlg> CLineListDlg::s_commands[] = {
    {IDC_ADD_X, &CLineListDlg::OnCmdAdd<AxisX>, BN_CLICKED},
    {IDC_UPDATE_X, &CLineListDlg::OnCmdUpdate<AxisX>, BN_CLICKED},
    {IDC_DELETE_X, &CLineListDlg::OnCmdDelete<AxisX>, BN_CLICKED},
    {IDC_ADD_Y, &CLineListDlg::OnCmdAdd<AxisY>, BN_CLICKED},
    {IDC_UPDATE_Y, &CLineListDlg::OnCmdUpdate<AxisY>, BN_CLICKED},
    {IDC_DELETE_Y, &CLineListDlg::OnCmdDelete<AxisY>, BN_CLICKED},
    {IDC_LIST_X, &CLineListDlg::OnSelChangeList<AxisX>, LBN_SELCHANGE},
    {IDC_LIST_Y, &CLineListDlg::OnSelChangeList<AxisY>, LBN_SELCHANGE},
    {IDC_VALUE_X, &CLineListDlg::OnSelChangeValue<AxisX>, CBN_SELCHANGE},
    {IDC_VALUE_Y, &CLineListDlg::OnSelChangeValue<AxisY>, CBN_SELCHANGE},
    {IDC_VALUE_X, &CLineListDlg::OnEditChangeValue<AxisX>, CBN_EDITCHANGE},
    {IDC_VALUE_Y, &CLineListDlg::OnEditChangeValue<AxisY>, CBN_EDITCHANGE},
    {IDC_TEMPLATE_ADD, &CLineListDlg::OnCmdStoreTemplate, BN_CLICKED},
    {IDC_TEMPLATE_DELETE, &CLineListDlg::OnCmdDeleteTemplate, BN_CLICKED},
    {IDC_TEMPLATE_NAME, &CLineListDlg::OnSelChangeTemplate, CBN_SELCHANGE},
};

const NotifyEntry<CLineListDlg> CLineListDlg::s_notifies[] = {
    {IDC_SPIN_X, UDN_DELTAPOS, &CLineListDlg::OnDeltaPosSpin<AxisX>},
    {IDC_SPIN_Y, UDN_DELTAPOS, &CLineListDlg::OnDeltaPosSpin<AxisY>},
};

namespace {

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(0, GetWindowTextW(window, &text[0], static_cast<int>(text.size())))));
    return text;
}

// The text of a drop-down's entry; empty for an index out of range.
std::wstring EntryText(HWND combo, LRESULT index)
{
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length == CB_ERR) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

} // namespace

CLineListDlg::CLineListDlg(HWND parent) : CModalDialog(IDD_LINE_LIST, parent) {}

bool CLineListDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && DispatchCommandTable(this, s_commands, wParam)) {
        result = 0;
        return true;
    }
    if (message == WM_NOTIFY && DispatchNotifyTable(this, s_notifies, lParam, result)) return true;
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

BOOL CLineListDlg::OnInitDialog()
{
    CModalDialog::OnInitDialog();
    // Without its image the dialog works the same, only without an icon.
    if (HANDLE icon =
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_LINE_LIST), IMAGE_ICON, 16, 16, LR_SHARED))
        SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    const std::vector<int32_t> presets = PresetLineValues();
    for (const AxisControls& controls : s_controls) {
        const HWND value = GetDlgItem(m_hWnd, controls.value);
        for (int32_t preset : presets)
            SendMessageW(value, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(preset).c_str()));
        for (int id : {controls.add, controls.update, controls.remove}) EnableControl(id, false);
    }
    FillList(AxisX);
    FillList(AxisY);
    FillTemplateNames();
    return TRUE;
}

std::vector<int32_t>& CLineListDlg::Lines(Axis axis)
{
    return axis == AxisX ? m_linesX : m_linesY;
}

void CLineListDlg::AddValue(Axis axis)
{
    const int32_t value = ReadValue(axis);
    std::vector<int32_t>& lines = Lines(axis);
    if (!CanAddLine(lines, value)) return;
    SetValueText(axis, std::wstring());
    EnableControl(s_controls[axis].add, false);
    lines.push_back(value);
    FillList(axis);
}

void CLineListDlg::UpdateValue(Axis axis)
{
    const HWND list = GetDlgItem(m_hWnd, s_controls[axis].list);
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    std::vector<int32_t>& lines = Lines(axis);
    if (index < 0 || static_cast<size_t>(index) >= lines.size()) return;
    // Neither the range nor duplicates are checked here: Update takes any number.
    lines[static_cast<size_t>(index)] = ReadValue(axis);
    FillList(axis);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CLineListDlg::DeleteValue(Axis axis)
{
    const AxisControls& controls = s_controls[axis];
    const HWND list = GetDlgItem(m_hWnd, controls.list);
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    std::vector<int32_t>& lines = Lines(axis);
    if (index < 0 || static_cast<size_t>(index) >= lines.size()) return;
    lines.erase(lines.begin() + index);
    FillList(axis);
    const int next = SelectionAfterDelete(static_cast<int>(index), lines.size());
    if (next < 0) {
        EnableControl(controls.update, false);
        EnableControl(controls.remove, false);
    } else {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
    }
}

void CLineListDlg::PickListEntry(Axis axis)
{
    const AxisControls& controls = s_controls[axis];
    const LRESULT index = SendDlgItemMessageW(m_hWnd, controls.list, LB_GETCURSEL, 0, 0);
    const std::vector<int32_t>& lines = Lines(axis);
    if (index >= 0 && static_cast<size_t>(index) < lines.size())
        SetValueText(axis, std::to_wstring(lines[static_cast<size_t>(index)]));
    EnableControl(controls.update, true);
    EnableControl(controls.remove, true);
}

void CLineListDlg::PickPresetValue(Axis axis)
{
    const HWND value = GetDlgItem(m_hWnd, s_controls[axis].value);
    const LRESULT index = SendMessageW(value, CB_GETCURSEL, 0, 0);
    // The edit field shows a picked entry only after this notification.
    std::wstring text = index >= 0 ? EntryText(value, index) : WindowText(value);
    if (index >= 0) SetValueText(axis, text);
    EnableControl(s_controls[axis].add, !text.empty());
}

void CLineListDlg::TypedValue(Axis axis)
{
    if (m_settingValue) return;
    EnableControl(s_controls[axis].add, GetWindowTextLengthW(GetDlgItem(m_hWnd, s_controls[axis].value)) > 0);
}

// The control's own range stays at its default (100 down to 0), so its right
// arrow reports -1 and raises the value.
LRESULT CLineListDlg::Spin(Axis axis, NMHDR* header)
{
    const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
    SetValueText(axis, std::to_wstring(SpinLineValue(ReadValue(axis), change->iDelta)));
    EnableControl(s_controls[axis].add, true);
    return 0;
}

int32_t CLineListDlg::ReadValue(Axis axis) const
{
    return ParseLineValue(WindowText(GetDlgItem(m_hWnd, s_controls[axis].value)));
}

void CLineListDlg::SetValueText(Axis axis, const std::wstring& text)
{
    m_settingValue = true;
    SetDlgItemTextW(m_hWnd, s_controls[axis].value, text.c_str());
    m_settingValue = false;
}

void CLineListDlg::FillList(Axis axis)
{
    const HWND list = GetDlgItem(m_hWnd, s_controls[axis].list);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int32_t line : Lines(axis))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(line).c_str()));
}

void CLineListDlg::EnableControl(int id, bool enable)
{
    const HWND control = GetDlgItem(m_hWnd, id);
    // A disabled button keeps no focus: the keyboard moves on to the next control.
    if (!enable && GetFocus() == control) SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(control, enable ? TRUE : FALSE);
}
