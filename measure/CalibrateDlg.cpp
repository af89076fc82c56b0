#include "measure/CalibrateDlg.h"

#include "framework/DataExchange.h"
#include "framework/StringMessageBox.h"
#include "measure/Calibration.h"
#include "resources/resource.h"

const CommandEntry<CCalibrateDlg> CCalibrateDlg::s_commands[] = {
    {IDC_CALIBRATE_RESET, &CCalibrateDlg::OnClickReset, BN_CLICKED},
};

namespace {

UINT MessageOf(CalibrationError error)
{
    switch (error) {
    case CalibrationError::Empty: return IDS_CALIBRATE_EMPTY;
    case CalibrationError::NotANumber: return IDS_CALIBRATE_NOT_NUMBER;
    case CalibrationError::Zero:
    case CalibrationError::Negative: return IDS_CALIBRATE_NOT_POSITIVE;
    default: return IDS_CALIBRATE_OUT_OF_RANGE;
    }
}

} // namespace

CCalibrateDlg::CCalibrateDlg(HWND parent, const std::wstring& monitor, const std::wstring& scaleText,
                             int32_t innerWidth)
    : CModalDialog(IDD_CALIBRATE, parent), m_monitor(monitor), m_scaleText(scaleText), m_innerWidth(innerWidth)
{
}

bool CCalibrateDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && DispatchCommandTable(this, s_commands, wParam)) {
        result = 0;
        return true;
    }
    return CModalDialog::OnMessage(message, wParam, lParam, result);
}

bool CCalibrateDlg::Exchange(DataExchange& dx)
{
    dx.Text(IDC_CALIBRATE_LENGTH, m_length);
    dx.ListIndex(IDC_CALIBRATE_UNIT, m_lengthUnit);
    return true;
}

BOOL CCalibrateDlg::OnInitDialog()
{
    SetDlgItemTextW(m_hWnd, IDC_CALIBRATE_MONITOR, m_monitor.c_str());
    SetDlgItemTextW(m_hWnd, IDC_CALIBRATE_SCALE, m_scaleText.c_str());
    SetDlgItemTextW(m_hWnd, IDC_CALIBRATE_WIDTH, (std::to_wstring(m_innerWidth) + L" px").c_str());
    const HWND list = GetDlgItem(m_hWnd, IDC_CALIBRATE_UNIT);
    for (int32_t i = 0; i < kLengthUnitCount; ++i)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LengthUnitName(static_cast<LengthUnit>(i))));
    UpdateData(false);
    return TRUE;
}

void CCalibrateDlg::OnOK()
{
    UpdateData(true);
    const Calibration calibration =
        CalibrationFromLength(m_length, static_cast<LengthUnit>(m_lengthUnit < 0 ? 0 : m_lengthUnit), m_innerWidth);
    if (calibration.error != CalibrationError::None) {
        StringMessageBox(m_hWnd, MessageOf(calibration.error), MB_OK | MB_ICONEXCLAMATION);
        // Back into the field with its text selected, ready to be typed over.
        SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, IDC_CALIBRATE_LENGTH)), TRUE);
        return;
    }
    m_pixelsPerMetre = calibration.pixelsPerMetre;
    EndDialog(IDOK);
}

void CCalibrateDlg::OnClickReset()
{
    EndDialog(IDC_CALIBRATE_RESET);
}
