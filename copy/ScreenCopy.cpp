#include "ruler/MensuroDlg.h"

// PLACEHOLDER: the screen copy lands with its own change.
void CMensuroDlg::OnCmdCopy() {}

LRESULT CMensuroDlg::OnTimer(WPARAM, LPARAM)
{
    return Default();
}
