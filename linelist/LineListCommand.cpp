#include "ruler/MensuroDlg.h"

// PLACEHOLDER: the Line list dialog lands with its own change.
void CMensuroDlg::OnCmdLineList() {}
