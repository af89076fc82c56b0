// "CopySetting...": edits the copy's options; they are saved with the others at exit.
#include "copy/CopyRules.h"
#include "copy/CopySettingDlg.h"
#include "ruler/MensuroDlg.h"

void CMensuroDlg::OnCmdCopySetting()
{
    CCopySettingDlg dialog(m_hWnd, CopySettingsOf(*this));
    if (RunDialog(dialog) == IDOK) ApplyCopySettings(dialog.Settings(), *this);
}
