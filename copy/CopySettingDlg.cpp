#include "copy/CopySettingDlg.h"

#include "framework/DataExchange.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

#include <utility>

const CommandEntry<CCopySettingDlg> CCopySettingDlg::s_commands[] = {
    {IDC_INCLUDE_CURSOR, &CCopySettingDlg::OnClickIncludeCursor, BN_CLICKED},
};

const NotifyEntry<CCopySettingDlg> CCopySettingDlg::s_notifies[] = {
    {IDC_OFFSET_X_SPIN, UDN_DELTAPOS, &CCopySettingDlg::OnDeltaPosX},
    {IDC_OFFSET_Y_SPIN, UDN_DELTAPOS, &CCopySettingDlg::OnDeltaPosY},
};

namespace {

// What only matters when the cursor is included.
const int kOffsetControls[] = {IDC_OFFSET_LABEL, IDC_OFFSET_X_LABEL, IDC_OFFSET_Y_LABEL, IDC_OFFSET_X,
                               IDC_OFFSET_Y,     IDC_OFFSET_X_SPIN,  IDC_OFFSET_Y_SPIN};

} // namespace

CCopySettingDlg::CCopySettingDlg(HWND parent, const CopySettings& settings)
    : CModalDialog(IDD_COPY_SETTING, parent), m_settings(settings)
{
}

bool CCopySettingDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && DispatchCommandTable(this, s_commands, wParam)) {
        result = 0;
        return true;
    }
    if (message == WM_NOTIFY && DispatchNotifyTable(this, s_notifies, lParam, result)) return true;
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

bool CCopySettingDlg::Exchange(DataExchange& dx)
{
    dx.Check(IDC_INCLUDE_CURSOR, m_settings.includeCursor);
    dx.Check(IDC_INCLUDE_SCALE, m_settings.includeScale);
    dx.ListIndex(IDC_COPY_TIMER, m_timerIndex);
    dx.Check(IDC_SHOW_MESSAGE, m_settings.showMessage);
    dx.Check(IDC_INCLUDE_MEASUREMENTS, m_settings.includeMeasure);
    return ExchangeOffset(dx, IDC_OFFSET_X, m_settings.offsetX) && ExchangeOffset(dx, IDC_OFFSET_Y, m_settings.offsetY);
}

bool CCopySettingDlg::ExchangeOffset(DataExchange& dx, int editId, int32_t& value)
{
    // A disabled field cannot be corrected, so it is not checked: an offset in it
    // is taken, anything else leaves the value last taken.
    if (dx.Saving() && !IsWindowEnabled(dx.Control(editId))) {
        dx.Int(editId, value, -MaxCopyOffset, MaxCopyOffset);
        return true;
    }
    if (dx.Int(editId, value, -MaxCopyOffset, MaxCopyOffset)) return true;
    StringMessageBox(m_hWnd, IDS_INPUT_ERROR, MB_OK | MB_ICONEXCLAMATION);
    // Back into the field with its text selected, ready to be typed over.
    SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dx.Control(editId)), TRUE);
    return false;
}

BOOL CCopySettingDlg::OnInitDialog()
{
    CModalDialog::OnInitDialog();
    FillTimerList();
    m_timerIndex = TimerChoiceIndex(m_timerValues, m_settings.timer);
    EnableOffsetControls(m_settings.includeCursor != 0);
    UpdateData(false);
    return TRUE;
}

void CCopySettingDlg::FillTimerList()
{
    const HWND list = GetDlgItem(m_hWnd, IDC_COPY_TIMER);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    m_timerValues = CopyTimerChoices();
    const std::wstring seconds = LoadResourceString(IDS_SECONDS);
    const std::wstring fraction = LoadResourceString(IDS_SECONDS_FRACTION);
    for (int32_t value : m_timerValues) {
        const std::wstring text = TimerChoiceText(value, seconds, fraction);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void CCopySettingDlg::EnableOffsetControls(bool enable)
{
    for (int id : kOffsetControls) EnableWindow(GetDlgItem(m_hWnd, id), enable);
}

void CCopySettingDlg::OnClickIncludeCursor()
{
    const bool include = IsDlgButtonChecked(m_hWnd, IDC_INCLUDE_CURSOR) == BST_CHECKED;
    if (!include) {
        // A field about to be disabled shows what will be kept: a valid offset is
        // taken, anything else goes back to the offset last taken, unreported.
        DataExchange dx(m_hWnd, true);
        const std::pair<int, int32_t*> fields[] = {{IDC_OFFSET_X, &m_settings.offsetX},
                                                   {IDC_OFFSET_Y, &m_settings.offsetY}};
        for (const auto& [id, value] : fields) {
            if (!dx.Int(id, *value, -MaxCopyOffset, MaxCopyOffset))
                SetDlgItemInt(m_hWnd, id, static_cast<UINT>(*value), TRUE);
        }
    }
    EnableOffsetControls(include);
}

LRESULT CCopySettingDlg::OnDeltaPosX(NMHDR* header)
{
    StepOffset(header, IDC_OFFSET_X, m_settings.offsetX);
    return 0;
}

LRESULT CCopySettingDlg::OnDeltaPosY(NMHDR* header)
{
    StepOffset(header, IDC_OFFSET_Y, m_settings.offsetY);
    return 0;
}

void CCopySettingDlg::StepOffset(const NMHDR* header, int editId, int32_t& value)
{
    if (!UpdateData(true)) return;
    const auto* step = reinterpret_cast<const NMUPDOWN*>(header);
    value = SteppedOffset(value, step->iDelta);
    SetDlgItemInt(m_hWnd, editId, static_cast<UINT>(value), TRUE);
}

void CCopySettingDlg::OnOK()
{
    if (!UpdateData(true)) return;
    if (m_timerIndex >= 0 && m_timerIndex < static_cast<int>(m_timerValues.size()))
        m_settings.timer = m_timerValues[static_cast<size_t>(m_timerIndex)];
    EndDialog(IDOK);
}
