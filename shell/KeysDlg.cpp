#include "shell/KeysDlg.h"

#include "framework/DataExchange.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"
#include "shell/GlobalKeys.h"

#include <commctrl.h>

const CommandEntry<CKeysDlg> CKeysDlg::s_commands[] = {
    {IDC_KEYS_DEFAULT, &CKeysDlg::OnDefault, BN_CLICKED},
};

namespace {

struct KeyRow {
    int key;   // the hotkey control
    int win;   // the "Win" box
    int taken; // the "In use" mark
};

// One row per action, in HotKeyAction order.
constexpr KeyRow kRows[kHotKeyActionCount] = {
    {IDC_KEY_RULER, IDC_WIN_RULER, IDC_TAKEN_RULER},
    {IDC_KEY_LOUPE, IDC_WIN_LOUPE, IDC_TAKEN_LOUPE},
    {IDC_KEY_EDGES, IDC_WIN_EDGES, IDC_TAKEN_EDGES},
    {IDC_KEY_COPY, IDC_WIN_COPY, IDC_TAKEN_COPY},
    {IDC_KEY_MEASURE, IDC_WIN_MEASURE, IDC_TAKEN_MEASURE},
};

const KeyRow& RowOf(HotKeyAction action)
{
    return kRows[static_cast<int>(action)];
}

} // namespace

CKeysDlg::CKeysDlg(HWND parent, const HotKeySettings& settings, uint32_t takenMask)
    : CModalDialog(IDD_KEYS, parent), m_settings(settings), m_taken(takenMask)
{
}

bool CKeysDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND) {
        if (DispatchCommandTable(this, s_commands, wParam)) {
            result = 0;
            return true;
        }
        // The hotkey control tells of a new key with EN_CHANGE, the box with BN_CLICKED.
        if (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == BN_CLICKED) OnRowEdited(LOWORD(wParam));
    }
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

BOOL CKeysDlg::OnInitDialog()
{
    CModalDialog::OnInitDialog();
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const auto action = static_cast<HotKeyAction>(i);
        if (m_taken & ActionBit(action)) ShowWindow(GetDlgItem(m_hWnd, RowOf(action).taken), SW_SHOW);
        ApplyRules(action);
    }
    return TRUE;
}

bool CKeysDlg::Exchange(DataExchange& dx)
{
    for (int i = 0; i < kHotKeyActionCount; ++i) ExchangeRow(dx, static_cast<HotKeyAction>(i));
    return true;
}

void CKeysDlg::ExchangeRow(DataExchange& dx, HotKeyAction action)
{
    const KeyRow& row = RowOf(action);
    int win = HasWinKey(m_settings[action]) ? 1 : 0;
    dx.Check(row.win, win);
    if (dx.Saving()) {
        const auto control = static_cast<uint32_t>(SendMessageW(dx.Control(row.key), HKM_GETHOTKEY, 0, 0));
        m_settings[action] = HotKeyFromControl(control & 0xFFFF, win != 0);
    } else {
        SendMessageW(dx.Control(row.key), HKM_SETHOTKEY, ControlValueOf(m_settings[action]), 0);
    }
}

void CKeysDlg::ShowKey(HotKeyAction action, uint32_t value)
{
    const KeyRow& row = RowOf(action);
    SendMessageW(GetDlgItem(m_hWnd, row.key), HKM_SETHOTKEY, ControlValueOf(value), 0);
    CheckDlgButton(m_hWnd, row.win, HasWinKey(value) ? BST_CHECKED : BST_UNCHECKED);
    ApplyRules(action);
}

void CKeysDlg::ApplyRules(HotKeyAction action)
{
    const KeyRow& row = RowOf(action);
    const HWND control = GetDlgItem(m_hWnd, row.key);
    const bool win = IsDlgButtonChecked(m_hWnd, row.win) == BST_CHECKED;
    SendMessageW(control, HKM_SETRULES, win ? 0 : HKCOMB_NONE, MAKELPARAM(win ? 0 : kControlRuleModifiers, 0));
    // The rules govern typing only: a key alone already shown gets the same modifiers.
    const auto shown = static_cast<uint32_t>(SendMessageW(control, HKM_GETHOTKEY, 0, 0)) & 0xFFFF;
    const uint32_t ruled = ControlValueUnderRules(shown, win);
    if (ruled != shown) SendMessageW(control, HKM_SETHOTKEY, ruled, 0);
}

void CKeysDlg::OnDefault()
{
    // Only the controls change: Cancel still leaves every key as it was.
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const auto action = static_cast<HotKeyAction>(i);
        ShowKey(action, DefaultHotKey(action));
        OnRowEdited(static_cast<UINT>(RowOf(action).key));
    }
}

void CKeysDlg::OnRowEdited(UINT controlId)
{
    // The mark speaks of the key that was registered, not of one just chosen.
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const KeyRow& row = kRows[i];
        if (static_cast<UINT>(row.key) == controlId || static_cast<UINT>(row.win) == controlId)
            ShowWindow(GetDlgItem(m_hWnd, row.taken), SW_HIDE);
        if (static_cast<UINT>(row.win) == controlId) ApplyRules(static_cast<HotKeyAction>(i));
    }
}

void CKeysDlg::OnOK()
{
    UpdateData(true);
    if (const auto duplicate = m_settings.FirstDuplicate()) {
        StringMessageBox(m_hWnd, IDS_HOTKEY_DUPLICATE, MB_OK | MB_ICONEXCLAMATION);
        SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, RowOf(*duplicate).key)), TRUE);
        return;
    }
    EndDialog(IDOK);
}
