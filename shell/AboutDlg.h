#pragma once

#include "framework/ModalDialog.h"

// The "Version" box: icon, maker, version, and an OK button.
class CAboutDlg : public CModalDialog {
public:
    explicit CAboutDlg(HWND parent);

protected:
    BOOL OnInitDialog() override;
};
