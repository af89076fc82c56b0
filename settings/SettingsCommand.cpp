#include "ruler/MensuroDlg.h"

// PLACEHOLDER: the Settings dialog lands with its own change.
void CMensuroDlg::OnCmdSettings() {}
