#include "linelist/LineListTool.h"

#include "linelist/LineListDlg.h"
#include "resources/resource.h"

#include <utility>

bool CLineListTool::OnCommand(UINT id)
{
    if (id != ID_LINE_LIST) return false;
    CLineListDlg dialog(m_host.Window());
    dialog.m_linesX = m_host.Model().lines.X();
    dialog.m_linesY = m_host.Model().lines.Y();
    if (m_host.RunDialog(dialog) == IDOK)
        m_host.ChangeModel([&](RulerModel& model) {
            model.lines.ReplaceAll(std::move(dialog.m_linesX), std::move(dialog.m_linesY));
        });
    return true;
}

void CLineListTool::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.push_back({ID_LINE_LIST, IDI_LINE_LIST});
}
