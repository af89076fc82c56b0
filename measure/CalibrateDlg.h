#pragma once

// "Calibrate...": the user measures the ruler's inner width with a real ruler or a card
// and types the length; the dialog turns it into the monitor's pixels per metre. It
// only reads and answers: whoever opens it stores the result.
//
//   CCalibrateDlg dialog(m_hWnd, name, DescribeScale(scale), innerWidth);
//   switch (RunDialog(dialog)) {
//   case IDOK: WriteCalibration(profile, name, dialog.PixelsPerMetre()); break;
//   case IDC_CALIBRATE_RESET: ForgetCalibration(profile, name); break;
//   }

#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"

#include <cstdint>
#include <string>

class CCalibrateDlg : public CModalDialog {
public:
    // `monitor` is the monitor's device name, `scaleText` what its scale is now and where
    // it comes from, `innerWidth` the inner area's width in device pixels.
    CCalibrateDlg(HWND parent, const std::wstring& monitor, const std::wstring& scaleText, int32_t innerWidth);

    // DoModal ends with IDOK (the scale below), IDC_CALIBRATE_RESET (forget the
    // monitor's calibration) or IDCANCEL.
    int32_t PixelsPerMetre() const { return m_pixelsPerMetre; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool Exchange(DataExchange& dx) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnClickReset();

    std::wstring m_monitor;
    std::wstring m_scaleText;
    int32_t m_innerWidth;
    std::wstring m_length;
    int m_lengthUnit = 0; // index in the list: LengthUnit
    int32_t m_pixelsPerMetre = 0;

    static const CommandEntry<CCalibrateDlg> s_commands[];
};
