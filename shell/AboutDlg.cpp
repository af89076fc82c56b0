#include "shell/AboutDlg.h"

#include "resources/resource.h"

CAboutDlg::CAboutDlg(HWND parent) : CModalDialog(IDD_ABOUTBOX, parent) {}

BOOL CAboutDlg::OnInitDialog()
{
    CModalDialog::OnInitDialog();
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VERSION), IMAGE_ICON, 16, 16, LR_SHARED));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return TRUE;
}
