#include "ruler/MensuroDlg.h"

// PLACEHOLDER: the Copy Setting dialog lands with its own change.
void CMensuroDlg::OnCmdCopySetting() {}
