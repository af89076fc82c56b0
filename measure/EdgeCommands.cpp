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
