// "Lines at Edges" and "Snap to Edges": the ruler's commands, handed to its edge tool.
#include "measure/EdgeTool.h"
#include "ruler/MensuroDlg.h"

void CMensuroDlg::OnCmdLinesAtEdges()
{
    m_edges.StartPick();
}

void CMensuroDlg::OnCmdSnapToEdges()
{
    m_edges.ToggleSnap();
}

LRESULT CMensuroDlg::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    m_edges.OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    return Default();
}
