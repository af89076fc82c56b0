#include "linelist/LineListDlg.h"
#include "ruler/MensuroDlg.h"

#include <utility>

// "Line List...": the dialog edits copies of both lists; only OK hands them back.
void CMensuroDlg::OnCmdLineList()
{
    CLineListDlg dialog(m_hWnd);
    dialog.m_linesX = m_linesX;
    dialog.m_linesY = m_linesY;
    if (RunDialog(dialog) != IDOK) return;
    m_linesX = std::move(dialog.m_linesX);
    m_linesY = std::move(dialog.m_linesY);
    Relayout();
}
